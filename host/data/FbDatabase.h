// The thin layer over the Firebird OO API: one attachment with one transaction, and datasets
// that run a statement exactly as written, bind ":Name" parameters by name and read the rows
// by column name without regard to case.  Every engine error becomes a DatabaseError carrying
// the engine's text.
#pragma once
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "FbValue.h"

namespace Firebird {
class IAttachment;
class ITransaction;
class IStatement;
class IResultSet;
class IMessageMetadata;
}  // namespace Firebird

namespace zv::fb {

class Dataset;

// A database name is a plain file path (embedded engine) or "host:path" (a server).
class Attachment {
 public:
  Attachment() = default;
  ~Attachment();
  Attachment(const Attachment&) = delete;
  Attachment& operator=(const Attachment&) = delete;

  // Dialect 3, character set WIN1252, no transaction yet.  With `requireEncryption` the client
  // insists on wire encryption: a server that does not offer it is refused.
  void Attach(const std::string& name, const std::string& user, const std::string& password,
              bool requireEncryption = false);
  // Makes a new database (page size 8192, default character set WIN1252) and stays attached.
  void Create(const std::string& name, const std::string& user, const std::string& password);
  // Ends the transaction (commit; rollback when the commit fails), closes every dataset and
  // detaches.  Never throws.
  void Detach();
  // Drops the attached database: the file is removed.
  void Drop();
  bool Connected() const { return attachment_ != nullptr; }
  // Attached and able to answer a database-information request.
  bool Alive();
  const std::string& Name() const { return name_; }

  // One transaction: read_committed, rec_version, nowait, read-write.
  void StartTransaction();
  bool InTransaction() const { return transaction_ != nullptr; }
  // A full commit: every open dataset is closed first; no transaction is left running.
  void Commit();
  void Rollback();

  Firebird::IAttachment* Handle() const { return attachment_; }
  Firebird::ITransaction* Transaction() const { return transaction_; }

 private:
  // Attaches to, or creates, the database `name`.
  void Open(const std::string& name, const std::string& user, const std::string& password,
            bool create, bool requireEncryption = false);
  friend class Dataset;
  void CloseDatasets();
  void ReleaseStatements();
  std::set<Dataset*> datasets_;
  Firebird::IAttachment* attachment_ = nullptr;
  Firebird::ITransaction* transaction_ = nullptr;
  std::string name_;
};

using Row = std::vector<Value>;

// A statement with its parameters and, for a SELECT, an open cursor over its rows.  Rows are
// fetched as the cursor moves and kept, so Prior and First work and a table model can show
// them (FetchAll, Rows).  The prepared statement is kept until the text changes.
class Dataset {
 public:
  explicit Dataset(Attachment& db, std::string sql = {});
  ~Dataset();
  Dataset(const Dataset&) = delete;
  Dataset& operator=(const Dataset&) = delete;

  // Changing the text closes the dataset and forgets the parameters.
  void SetSQL(std::string sql);
  const std::string& SQL() const { return sql_; }
  // Binds ":name" (any case); a parameter left unbound is null.
  void SetParam(const std::string& name, Value value);

  void Open();     // a SELECT; positions on the first row
  void ExecSQL();  // anything else (EXECUTE PROCEDURE, UPDATE, DDL...)
  void Close();
  bool Active() const { return active_; }

  bool Eof() const { return eof_; }
  bool Bof() const { return bof_; }
  bool IsEmpty() const { return rows_.empty(); }
  void First();
  void Next();
  void Prior();

  // Column of the current row; raises DatabaseError for an unknown column or no current row.
  const Value& FieldByName(const std::string& name) const;
  bool HasField(const std::string& name) const;
  const std::vector<std::string>& FieldNames() const { return fieldNames_; }

  // Reads every remaining row (the cursor position stays); for table models and counts.
  void FetchAll();
  int RecordCount();
  const std::vector<Row>& Rows() const { return rows_; }
  int RecNo() const { return position_; }

 private:
  friend class Attachment;
  void Prepare();
  void Unprepare();
  bool FetchOne();
  std::vector<unsigned char> BuildInput(Firebird::IMessageMetadata*& meta);
  Row DecodeRow() const;

  Attachment& db_;
  std::string sql_;
  std::map<std::string, Value> params_;  // by upper-case name
  std::vector<std::string> markerNames_;
  Firebird::IStatement* statement_ = nullptr;
  unsigned statementType_ = 0;
  Firebird::IResultSet* cursor_ = nullptr;
  Firebird::IMessageMetadata* outMeta_ = nullptr;
  std::vector<unsigned char> outBuffer_;
  std::vector<std::string> fieldNames_;  // upper case
  std::vector<Row> rows_;
  int position_ = -1;
  bool fetchedAll_ = false;
  bool active_ = false;
  bool eof_ = true, bof_ = true;
};

}  // namespace zv::fb
