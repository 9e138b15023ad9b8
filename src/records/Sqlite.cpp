#include "records/Sqlite.h"

namespace records {
namespace {

[[noreturn]] void fail(sqlite3* db, int code, const std::string& doing) {
  const char* message = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(code);
  throw SqliteError(code, doing + ": " + (message != nullptr ? message : sqlite3_errstr(code)));
}

}  // namespace

Connection::Connection(const std::string& path) : path_(path) {
  sqlite3* db = nullptr;
  const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOFOLLOW;
  const int code = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
  db_.reset(db);  // closed even when the open failed
  if (code != SQLITE_OK) fail(db, code, "cannot open " + path);
  sqlite3_extended_result_codes(db, 1);
  // Never wait on another program's lock: a frame must not stall.
  sqlite3_busy_timeout(db, 0);
}

void Connection::execute(const std::string& sql) {
  char* message = nullptr;
  const int code = sqlite3_exec(db_.get(), sql.c_str(), nullptr, nullptr, &message);
  if (code == SQLITE_OK) return;
  const std::string text = message != nullptr ? message : sqlite3_errstr(code);
  sqlite3_free(message);
  throw SqliteError(code, text);
}

Statement::Statement(Connection& connection, const std::string& sql) : connection_(connection) {
  sqlite3_stmt* statement = nullptr;
  const int code = sqlite3_prepare_v2(connection.handle(), sql.c_str(),
                                      static_cast<int>(sql.size()), &statement, nullptr);
  statement_.reset(statement);
  if (code != SQLITE_OK) fail(connection.handle(), code, "cannot prepare a query");
}

Statement& Statement::bind(int index, const std::string& text) {
  sqlite3_bind_text(statement_.get(), index, text.c_str(), static_cast<int>(text.size()),
                    SQLITE_TRANSIENT);
  return *this;
}

Statement& Statement::bind(int index, double value) {
  sqlite3_bind_double(statement_.get(), index, value);
  return *this;
}

Statement& Statement::bind(int index, std::int64_t value) {
  sqlite3_bind_int64(statement_.get(), index, value);
  return *this;
}

bool Statement::step() {
  const int code = sqlite3_step(statement_.get());
  if (code == SQLITE_ROW) return true;
  if (code == SQLITE_DONE) return false;
  fail(connection_.handle(), code, "query failed");
}

std::string Statement::text(int column) const {
  const auto* text = sqlite3_column_text(statement_.get(), column);
  return text != nullptr ? std::string(reinterpret_cast<const char*>(text)) : std::string();
}

double Statement::real(int column) const {
  return sqlite3_column_double(statement_.get(), column);
}

std::int64_t Statement::integer(int column) const {
  return sqlite3_column_int64(statement_.get(), column);
}

bool Statement::isNull(int column) const {
  return sqlite3_column_type(statement_.get(), column) == SQLITE_NULL;
}

Transaction::Transaction(Connection& connection) : connection_(connection) {
  connection_.execute("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
  if (!open_) return;
  try {
    connection_.execute("ROLLBACK");
  } catch (const SqliteError&) {
    // Nothing more to undo: SQLite has rolled back by itself after the failure.
  }
}

void Transaction::commit() {
  connection_.execute("COMMIT");
  open_ = false;
}

}  // namespace records
