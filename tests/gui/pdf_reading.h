// Reading printed PDF files back with the poppler tools: pages, their lines and where the words lie.
#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <filesystem>

namespace talvenor::testing_support {

// Runs a poppler tool on a PDF and returns what it printed.
inline QString Poppler(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    EXPECT_TRUE(process.waitForFinished(30000)) << tool.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline int PageCount(const std::filesystem::path& pdf) {
    const QString info = Poppler("pdfinfo", {QString::fromStdString(pdf.string())});
    const QRegularExpressionMatch m = QRegularExpression(R"(Pages:\s+(\d+))").match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The non-empty text lines of one page, blanks at either end dropped.
inline QStringList PageLines(const std::filesystem::path& pdf, int page) {
    const QString n = QString::number(page);
    const QString text =
        Poppler("pdftotext", {"-layout", "-f", n, "-l", n, QString::fromStdString(pdf.string()), "-"});
    QStringList lines;
    for (const QString& line : text.split('\n')) {
        if (!line.trimmed().isEmpty() && line != "\f") lines << line.trimmed();
    }
    return lines;
}

// The printed width of the first word of the document, in points per character.
inline double WidthPerCharacter(const std::filesystem::path& pdf) {
    const QString html = Poppler("pdftotext", {"-bbox", QString::fromStdString(pdf.string()), "-"});
    const QRegularExpressionMatch m =
        QRegularExpression(
            R"re(<word xMin="([\d.]+)" yMin="[\d.]+" xMax="([\d.]+)" yMax="[\d.]+">([^<]+)</word>)re")
            .match(html);
    if (!m.hasMatch()) return 0;
    return (m.captured(2).toDouble() - m.captured(1).toDouble()) / m.captured(3).size();
}

// The page width and the right edge of the rightmost word, in points.
struct PrintedWords {
    double pageWidth = 0;
    double rightmost = 0;
};
inline PrintedWords WordsOf(const std::filesystem::path& pdf) {
    const QString html = Poppler("pdftotext", {"-bbox", QString::fromStdString(pdf.string()), "-"});
    PrintedWords words;
    const QRegularExpressionMatch page = QRegularExpression(R"re(<page width="([\d.]+)")re").match(html);
    if (page.hasMatch()) words.pageWidth = page.captured(1).toDouble();
    auto it =
        QRegularExpression(R"re(<word xMin="[\d.]+" yMin="[\d.]+" xMax="([\d.]+)")re").globalMatch(html);
    while (it.hasNext()) words.rightmost = std::max(words.rightmost, it.next().captured(1).toDouble());
    return words;
}

// The lines a text puts on each printed page of `linesPerPage` lines, blanks collapsed and empty lines
// left out, as pdftotext gives them back.
inline std::vector<QStringList> ExpectedPages(const QString& text, int linesPerPage) {
    QStringList lines = text.split("\r\n");
    std::vector<QStringList> pages;
    for (int n = 0; n < lines.size(); ++n) {
        if (n % linesPerPage == 0) pages.emplace_back();
        const QString line = lines[n].simplified();
        if (!line.isEmpty()) pages.back() << line;
    }
    while (!pages.empty() && pages.back().isEmpty()) pages.pop_back();
    return pages;
}

inline QStringList CollapsedPageLines(const std::filesystem::path& pdf, int page) {
    QStringList lines;
    for (const QString& line : PageLines(pdf, page)) lines << line.simplified();
    return lines;
}

}  // namespace talvenor::testing_support
