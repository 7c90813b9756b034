#include "atlas/sqlite_support.h"

#include <utility>

namespace talvenor::atlas_sql {

Connection::~Connection() {
    sqlite3_close(db_);
}

Connection::Connection(Connection&& other) noexcept : db_(std::exchange(other.db_, nullptr)) {}

Connection& Connection::operator=(Connection&& other) noexcept {
    if (this != &other) {
        sqlite3_close(db_);
        db_ = std::exchange(other.db_, nullptr);
    }
    return *this;
}

bool Connection::Open(const std::string& file, int flags, std::string& error) {
    sqlite3_close(db_);
    db_ = nullptr;
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(file.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        error = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close(db);
        return false;
    }
    db_ = db;
    return true;
}

bool Connection::Execute(const char* sql, std::string& error) const {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) == SQLITE_OK) return true;
    error = message ? message : LastError();
    sqlite3_free(message);
    return false;
}

std::string Connection::LastError() const {
    return db_ ? sqlite3_errmsg(db_) : "no database";
}

Statement::Statement(const Connection& connection, const char* sql) {
    if (sqlite3_prepare_v2(connection.handle(), sql, -1, &statement_, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement_);
        statement_ = nullptr;
    }
}

Statement::~Statement() {
    sqlite3_finalize(statement_);
}

void Statement::BindText(int index, std::string_view text) {
    sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void Statement::BindInt(int index, std::int64_t value) {
    sqlite3_bind_int64(statement_, index, value);
}

void Statement::BindReal(int index, double value) {
    sqlite3_bind_double(statement_, index, value);
}

int Statement::Step() {
    return statement_ ? sqlite3_step(statement_) : SQLITE_MISUSE;
}

void Statement::Reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

std::int64_t Statement::Int(int column) const {
    return sqlite3_column_int64(statement_, column);
}

double Statement::Real(int column) const {
    return sqlite3_column_double(statement_, column);
}

std::string Statement::Text(int column) const {
    const auto* text = sqlite3_column_text(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    return text ? std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size))
                : std::string();
}

namespace {

// The FTS5 interface of the connection, or nothing when SQLite was built without it.
fts5_api* Fts5Interface(const Connection& connection) {
    fts5_api* api = nullptr;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(connection.handle(), "SELECT fts5(?1)", -1, &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return nullptr;
    }
    sqlite3_bind_pointer(statement, 1, &api, "fts5_api_ptr", nullptr);
    sqlite3_step(statement);
    sqlite3_finalize(statement);
    return api;
}

int CollectWord(void* context, int, const char* token, int size, int, int) {
    auto* words = static_cast<std::vector<std::string>*>(context);
    if (size > 0) words->emplace_back(token, static_cast<std::size_t>(size));
    return SQLITE_OK;
}

struct SpeltOut {
    std::string_view letter;
    std::string_view spelling;
};

// Latin letters without a canonical decomposition, which the tokenizer would keep as they are.
constexpr SpeltOut kSpeltOut[] = {
    {"\xC5\x81", "L"},  {"\xC5\x82", "l"},   // Ł ł
    {"\xC3\x98", "O"},  {"\xC3\xB8", "o"},   // Ø ø
    {"\xC3\x86", "AE"}, {"\xC3\xA6", "ae"},  // Æ æ
    {"\xC5\x92", "OE"}, {"\xC5\x93", "oe"},  // Œ œ
    {"\xC3\x9F", "ss"},                      // ß
    {"\xC4\x90", "D"},  {"\xC4\x91", "d"},   // Đ đ
    {"\xC3\x90", "D"},  {"\xC3\xB0", "d"},   // Ð ð
    {"\xC3\x9E", "TH"}, {"\xC3\xBE", "th"},  // Þ þ
    {"\xC4\xB1", "i"},                       // ı
    {"\xC4\xA6", "H"},  {"\xC4\xA7", "h"},   // Ħ ħ
};

}  // namespace

std::string SpellOutLetters(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        bool replaced = false;
        if (static_cast<unsigned char>(text[i]) >= 0xC3) {
            for (const SpeltOut& s : kSpeltOut) {
                if (text.substr(i, s.letter.size()) == s.letter) {
                    out += s.spelling;
                    i += s.letter.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) out += text[i++];
    }
    return out;
}

WordFolder::WordFolder(const Connection& connection) {
    fts5_api* api = Fts5Interface(connection);
    if (!api) return;
    void* context = nullptr;
    if (api->xFindTokenizer(api, "unicode61", &context, &tokenizer_) != SQLITE_OK) return;
    const char* arguments[] = {"remove_diacritics", "2"};
    if (tokenizer_.xCreate(context, arguments, 2, &instance_) != SQLITE_OK) instance_ = nullptr;
}

WordFolder::~WordFolder() {
    if (instance_) tokenizer_.xDelete(instance_);
}

std::vector<std::string> WordFolder::Words(std::string_view text) const {
    std::vector<std::string> words;
    if (!instance_ || text.empty()) return words;
    const std::string spelt = SpellOutLetters(text);
    tokenizer_.xTokenize(instance_, &words, FTS5_TOKENIZE_DOCUMENT, spelt.data(),
                         static_cast<int>(spelt.size()), CollectWord);
    return words;
}

}  // namespace talvenor::atlas_sql
