// The names window Names: the people of the current names file. A click fills the natal input window,
// or the second person's fields while "2nd Person" is ticked; a double-click also computes the charts.
//
// The window is created at every showing and reads its file then; the Lock list state outlives it in
// AppServices::namesListState().
#pragma once

#include <QPointer>
#include <QWidget>

#include "datafiles/names_file.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace talvenor::gui {

class AppServices;
class ChoiceList;
class NameEditWindow;

class NamesWindow : public QWidget {
    Q_OBJECT

  public:
    explicit NamesWindow(AppServices& app, QWidget* parent = nullptr);

    // Reads the list again from the names file in use.
    void reload();

    // The editor opened by "Edit this List", while it is open.
    NameEditWindow* editor() const;

  private:
    void lockClicked(bool ticked);
    // Fills the input windows from the name in `row`; false when the record could not be read.
    bool loadName(int row);
    void nameDoubleClicked(int row);
    void changeList();
    void editList();
    // "Import...": births of an AAF, Quick*Chart or CSV file added to a names file the user chooses.
    void importBirths();
    // "Export...": the names file in use written as an AAF, Quick*Chart or CSV file.
    void exportBirths();

    AppServices& app_;
    NamesList list_;
    ChoiceList* NamesOnFile_;
    QLabel* lblNamesOnFile_;
    QCheckBox* Check1_;
    QPushButton *Command1_, *cmdEditList_, *cmdNewFileList_, *cmdImport_, *cmdExport_;
    QPointer<NameEditWindow> editor_;
};

}  // namespace talvenor::gui
