// The few SQLite pieces the atlas needs: an owned connection, a prepared statement, and the folding of
// a text into the words the atlas index holds. Used by the index builder and the search only.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace talvenor::atlas_sql {

class Connection {
  public:
    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    Connection(Connection&& other) noexcept;
    Connection& operator=(Connection&& other) noexcept;

    // Opens the file with SQLite's open flags; on failure the connection stays closed and `error`
    // holds SQLite's reason.
    bool Open(const std::string& file, int flags, std::string& error);
    // Runs statements that return no rows; false with the reason in `error`.
    bool Execute(const char* sql, std::string& error) const;
    sqlite3* handle() const { return db_; }
    std::string LastError() const;

  private:
    sqlite3* db_ = nullptr;
};

class Statement {
  public:
    Statement(const Connection& connection, const char* sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool Prepared() const { return statement_ != nullptr; }
    void BindText(int index, std::string_view text);
    void BindInt(int index, std::int64_t value);
    void BindReal(int index, double value);
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int Step();
    void Reset();
    std::int64_t Int(int column) const;
    double Real(int column) const;
    std::string Text(int column) const;

  private:
    sqlite3_stmt* statement_ = nullptr;
};

// Splits a text into the words the atlas compares: the FTS5 "unicode61" tokenizer with diacritics
// removed and case folded ("São-Paulo" -> "sao", "paulo"), after a few Latin letters that have no
// decomposition are spelt out ("Łódź" -> "lodz", "Straße" -> "strasse"). The index is built and the
// queries are read with the same rule, so a word typed either way finds the other.
class WordFolder {
  public:
    explicit WordFolder(const Connection& connection);
    ~WordFolder();
    WordFolder(const WordFolder&) = delete;
    WordFolder& operator=(const WordFolder&) = delete;

    bool Ready() const { return instance_ != nullptr; }
    std::vector<std::string> Words(std::string_view text) const;

  private:
    fts5_tokenizer tokenizer_{};
    Fts5Tokenizer* instance_ = nullptr;
};

// The letters spelt out before tokenizing: "ł" -> "l", "ø" -> "o", "ß" -> "ss" and their capitals.
std::string SpellOutLetters(std::string_view text);

}  // namespace talvenor::atlas_sql
