#include "FbDatabase.h"

#include <firebird/Interface.h>
#include <ibase.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

#include "FbStatus.h"
#include "SqlText.h"
#include "Text1252.h"

using namespace Firebird;

namespace zv::fb {
namespace {

constexpr unsigned kCharsetNone = 0;
constexpr unsigned kCharsetOctets = 1;
constexpr unsigned kCharsetWin1252 = 53;
constexpr unsigned kMaxSegment = 65535;

[[noreturn]] void Raise(const FbException& e) {
  RaiseDatabaseError(e);
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// Runs `call`; an engine error becomes a DatabaseError.
template <typename F>
auto Guard(F&& call) {
  try {
    return call();
  } catch (const FbException& e) {
    Raise(e);
  }
}

std::vector<unsigned char> Dpb(IUtil* util, Status& st, const std::string& user,
                               const std::string& password, bool create, bool requireEncryption) {
  IXpbBuilder* dpb = util->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0);
  dpb->insertString(&st, isc_dpb_user_name, user.c_str());
  dpb->insertString(&st, isc_dpb_password, password.c_str());
  dpb->insertString(&st, isc_dpb_lc_ctype, "WIN1252");
  dpb->insertInt(&st, isc_dpb_sql_dialect, 3);
  if (requireEncryption) dpb->insertString(&st, isc_dpb_config, "WireCrypt = Required");
  if (create) {
    dpb->insertString(&st, isc_dpb_set_db_charset, "WIN1252");
    dpb->insertInt(&st, isc_dpb_page_size, 8192);
  }
  const unsigned char* p = dpb->getBuffer(&st);
  std::vector<unsigned char> out(p, p + dpb->getBufferLength(&st));
  dpb->dispose();
  return out;
}

}  // namespace

void RaiseDatabaseError(const FbException& e) {
  char text[2048];
  Master()->getUtilInterface()->formatStatus(text, sizeof text, e.getStatus());
  const intptr_t* errors = e.getStatus()->getErrors();
  const long gds = errors[0] == isc_arg_gds ? static_cast<long>(errors[1]) : 0;
  const int sqlCode = static_cast<int>(isc_sqlcode(reinterpret_cast<const ISC_STATUS*>(errors)));
  throw DatabaseError(Cp1252ToUtf8(text), gds, sqlCode);
}

// ---------------------------------------------------------------------------- Attachment

Attachment::~Attachment() {
  Detach();
}

void Attachment::Attach(const std::string& name, const std::string& user,
                        const std::string& password, bool requireEncryption) {
  Open(name, user, password, false, requireEncryption);
}

void Attachment::Create(const std::string& name, const std::string& user,
                        const std::string& password) {
  Open(name, user, password, true);
}

void Attachment::Open(const std::string& name, const std::string& user, const std::string& password,
                      bool create, bool requireEncryption) {
  Detach();
  Guard([&] {
    Status st;
    const auto dpb =
        Dpb(Master()->getUtilInterface(), st, user, password, create, requireEncryption);
    IProvider* provider = Master()->getDispatcher();
    try {
      const auto size = static_cast<unsigned>(dpb.size());
      attachment_ = create ? provider->createDatabase(&st, name.c_str(), size, dpb.data())
                           : provider->attachDatabase(&st, name.c_str(), size, dpb.data());
    } catch (...) {
      provider->release();
      throw;
    }
    provider->release();
  });
  name_ = name;
}

void Attachment::CloseDatasets() {
  for (Dataset* d : datasets_) d->Close();
}

void Attachment::ReleaseStatements() {
  for (Dataset* d : datasets_) d->Unprepare();
}

void Attachment::Detach() {
  if (!attachment_) return;
  ReleaseStatements();
  if (transaction_) {
    try {
      Commit();
    } catch (const DatabaseError&) {
      try {
        Rollback();
      } catch (const DatabaseError&) {
      }
    }
    if (transaction_) {  // neither ended it: let go of the interface
      transaction_->release();
      transaction_ = nullptr;
    }
  }
  try {
    Status st;
    attachment_->detach(&st);  // releases the interface on success
  } catch (const FbException&) {
    attachment_->release();
  }
  attachment_ = nullptr;
  name_.clear();
}

void Attachment::Drop() {
  if (!attachment_) return;
  ReleaseStatements();
  if (transaction_) {
    try {
      Rollback();
    } catch (const DatabaseError&) {
    }
  }
  Guard([&] {
    Status st;
    attachment_->dropDatabase(&st);
  });
  attachment_ = nullptr;
  name_.clear();
}

bool Attachment::Alive() {
  if (!attachment_) return false;
  try {
    Status st;
    const unsigned char items[] = {isc_info_ods_version, isc_info_end};
    unsigned char buffer[64] = {};
    attachment_->getInfo(&st, sizeof items, items, sizeof buffer, buffer);
    return buffer[0] == isc_info_ods_version;
  } catch (const FbException&) {
    return false;
  }
}

void Attachment::StartTransaction() {
  if (!attachment_) throw DatabaseError("Banco de dados não conectado.");
  if (transaction_) return;
  static const unsigned char tpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                                      isc_tpb_rec_version, isc_tpb_nowait};
  Guard([&] {
    Status st;
    transaction_ = attachment_->startTransaction(&st, sizeof tpb, tpb);
  });
}

void Attachment::Commit() {
  if (!transaction_) return;
  CloseDatasets();
  Guard([&] {
    Status st;
    transaction_->commit(&st);  // releases the interface on success
  });
  transaction_ = nullptr;
}

void Attachment::Rollback() {
  if (!transaction_) return;
  CloseDatasets();
  Guard([&] {
    Status st;
    transaction_->rollback(&st);
  });
  transaction_ = nullptr;
}

// ------------------------------------------------------------------------------- Dataset

Dataset::Dataset(Attachment& db, std::string sql) : db_(db), sql_(std::move(sql)) {
  db_.datasets_.insert(this);
}

Dataset::~Dataset() {
  Close();
  Unprepare();
  db_.datasets_.erase(this);
}

void Dataset::SetSQL(std::string sql) {
  Close();
  if (sql != sql_) Unprepare();
  sql_ = std::move(sql);
  params_.clear();
}

void Dataset::SetParam(const std::string& name, Value value) {
  params_[Upper(name)] = std::move(value);
}

void Dataset::Unprepare() {
  Close();
  if (!statement_) return;
  try {
    Status st;
    statement_->free(&st);  // releases the interface on success
  } catch (const FbException&) {
    statement_->release();
  }
  statement_ = nullptr;
  if (outMeta_) outMeta_->release();
  outMeta_ = nullptr;
  fieldNames_.clear();
}

void Dataset::Prepare() {
  if (!db_.Connected() || !db_.InTransaction())
    throw DatabaseError("Banco de dados não conectado ou sem transação ativa.");
  if (statement_) return;
  if (sql_.empty()) throw DatabaseError("Comando SQL vazio.");
  // DDL goes to the engine untouched: inside it ":x" may be a procedure variable.
  std::string text;
  markerNames_.clear();
  if (IsDdl(sql_)) {
    text = Utf8ToCp1252(sql_);
  } else {
    PositionalSql positional = ToPositional(sql_);
    text = Utf8ToCp1252(positional.sql);
    markerNames_ = std::move(positional.names);
  }
  try {
    Guard([&] {
      Status st;
      statement_ = db_.Handle()->prepare(&st, db_.Transaction(), 0, text.c_str(), 3,
                                         IStatement::PREPARE_PREFETCH_METADATA);
      statementType_ = statement_->getType(&st);
      outMeta_ = statement_->getOutputMetadata(&st);
      fieldNames_.clear();
      for (unsigned i = 0, n = outMeta_->getCount(&st); i < n; ++i) {
        const char* alias = outMeta_->getAlias(&st, i);
        fieldNames_.push_back(Upper(alias && *alias ? alias : outMeta_->getField(&st, i)));
      }
      outBuffer_.assign(outMeta_->getMessageLength(&st), 0);
    });
  } catch (...) {
    Unprepare();  // never keep a half-prepared statement
    throw;
  }
}

// Describes each bound value with its own type; the engine converts it to the parameter's
// type (so a text may be bound to an integer parameter, as a dataset allows).
std::vector<unsigned char> Dataset::BuildInput(IMessageMetadata*& meta) {
  meta = nullptr;
  if (markerNames_.empty()) return {};
  Status st;
  IMetadataBuilder* builder = Master()->getMetadataBuilder(&st, markerNames_.size());
  std::vector<const Value*> values;
  static const Value kNull;
  std::vector<std::string> texts(markerNames_.size());
  try {
    for (unsigned i = 0; i < markerNames_.size(); ++i) {
      const auto found = params_.find(markerNames_[i]);
      const Value& v = found == params_.end() ? kNull : found->second;
      values.push_back(&v);
      const auto& raw = v.Raw();
      if (std::holds_alternative<int64_t>(raw)) {
        builder->setType(&st, i, SQL_INT64 + 1);
        builder->setLength(&st, i, sizeof(ISC_INT64));
        builder->setScale(&st, i, 0);
      } else if (std::holds_alternative<double>(raw)) {
        builder->setType(&st, i, SQL_DOUBLE + 1);
        builder->setLength(&st, i, sizeof(double));
      } else if (std::holds_alternative<SqlDate>(raw)) {
        builder->setType(&st, i, SQL_TYPE_DATE + 1);
        builder->setLength(&st, i, sizeof(ISC_DATE));
      } else if (std::holds_alternative<SqlTime>(raw)) {
        builder->setType(&st, i, SQL_TYPE_TIME + 1);
        builder->setLength(&st, i, sizeof(ISC_TIME));
      } else if (std::holds_alternative<SqlTimestamp>(raw)) {
        builder->setType(&st, i, SQL_TIMESTAMP + 1);
        builder->setLength(&st, i, sizeof(ISC_TIMESTAMP));
      } else if (std::holds_alternative<SqlBlob>(raw)) {
        builder->setType(&st, i, SQL_BLOB + 1);
        builder->setSubType(&st, i, 0);
        builder->setLength(&st, i, sizeof(ISC_QUAD));
      } else {  // text or null
        texts[i] = Utf8ToCp1252(v.AsString());
        if (texts[i].size() > 32765) throw DatabaseError("Texto longo demais para o parâmetro.");
        builder->setType(&st, i, SQL_VARYING + 1);
        builder->setLength(&st, i, std::max<unsigned>(1, texts[i].size()));
        builder->setCharSet(&st, i, v.IsNull() ? kCharsetNone : kCharsetWin1252);
      }
    }
    meta = builder->getMetadata(&st);
  } catch (...) {
    builder->release();
    throw;
  }
  builder->release();

  std::vector<unsigned char> buffer(meta->getMessageLength(&st), 0);
  IUtil* util = Master()->getUtilInterface();
  for (unsigned i = 0; i < values.size(); ++i) {
    unsigned char* field = buffer.data() + meta->getOffset(&st, i);
    auto* null = reinterpret_cast<short*>(buffer.data() + meta->getNullOffset(&st, i));
    const auto& raw = values[i]->Raw();
    *null = values[i]->IsNull() ? -1 : 0;
    if (auto p = std::get_if<int64_t>(&raw)) {
      std::memcpy(field, p, sizeof *p);
    } else if (auto p = std::get_if<double>(&raw)) {
      std::memcpy(field, p, sizeof *p);
    } else if (auto p = std::get_if<SqlDate>(&raw)) {
      const ISC_DATE d = util->encodeDate(p->value.year, p->value.month, p->value.day);
      std::memcpy(field, &d, sizeof d);
    } else if (auto p = std::get_if<SqlTime>(&raw)) {
      const ISC_TIME t =
          util->encodeTime(p->value.hour, p->value.minute, p->value.second, p->value.msec * 10);
      std::memcpy(field, &t, sizeof t);
    } else if (auto p = std::get_if<SqlTimestamp>(&raw)) {
      ISC_TIMESTAMP ts;
      ts.timestamp_date = util->encodeDate(p->value.year, p->value.month, p->value.day);
      ts.timestamp_time =
          util->encodeTime(p->value.hour, p->value.minute, p->value.second, p->value.msec * 10);
      std::memcpy(field, &ts, sizeof ts);
    } else if (auto p = std::get_if<SqlBlob>(&raw)) {
      ISC_QUAD id{};
      IBlob* blob = db_.Handle()->createBlob(&st, db_.Transaction(), &id, 0, nullptr);
      try {
        for (size_t at = 0; at < p->bytes.size(); at += kMaxSegment) {
          const size_t n = std::min<size_t>(kMaxSegment, p->bytes.size() - at);
          blob->putSegment(&st, static_cast<unsigned>(n), p->bytes.data() + at);
        }
        blob->close(&st);  // releases the interface on success
      } catch (...) {
        blob->release();
        throw;
      }
      std::memcpy(field, &id, sizeof id);
    } else if (!values[i]->IsNull()) {
      const auto len = static_cast<unsigned short>(texts[i].size());
      std::memcpy(field, &len, sizeof len);
      std::memcpy(field + sizeof len, texts[i].data(), len);
    }
  }
  return buffer;
}

void Dataset::Open() {
  Close();
  Prepare();
  if (statementType_ != isc_info_sql_stmt_select &&
      statementType_ != isc_info_sql_stmt_select_for_upd)
    throw DatabaseError("O comando não é uma consulta (SELECT).");
  Guard([&] {
    IMessageMetadata* inMeta = nullptr;
    try {
      auto input = BuildInput(inMeta);
      Status st;
      cursor_ = statement_->openCursor(&st, db_.Transaction(), inMeta,
                                       input.empty() ? nullptr : input.data(), outMeta_, 0);
    } catch (...) {
      if (inMeta) inMeta->release();
      throw;
    }
    if (inMeta) inMeta->release();
  });
  active_ = true;
  First();
}

void Dataset::ExecSQL() {
  Close();
  Prepare();
  Guard([&] {
    IMessageMetadata* inMeta = nullptr;
    try {
      auto input = BuildInput(inMeta);
      Status st;
      statement_->execute(&st, db_.Transaction(), inMeta, input.empty() ? nullptr : input.data(),
                          outMeta_, outBuffer_.empty() ? nullptr : outBuffer_.data());
    } catch (...) {
      if (inMeta) inMeta->release();
      throw;
    }
    if (inMeta) inMeta->release();
  });
  // A procedure with output parameters leaves them as the one row of the dataset.
  if (statementType_ == isc_info_sql_stmt_exec_procedure && !fieldNames_.empty()) {
    rows_.push_back(DecodeRow());
    fetchedAll_ = true;
    position_ = 0;
    eof_ = bof_ = false;
  }
  // DDL changes the metadata a prepared statement relies on: prepare again next time.
  if (statementType_ == isc_info_sql_stmt_ddl) Unprepare();
}

void Dataset::Close() {
  if (cursor_) {
    try {
      Status st;
      cursor_->close(&st);  // releases the interface on success
    } catch (const FbException&) {
      cursor_->release();
    }
    cursor_ = nullptr;
  }
  rows_.clear();
  position_ = -1;
  fetchedAll_ = false;
  active_ = false;
  eof_ = bof_ = true;
}

bool Dataset::FetchOne() {
  if (!cursor_ || fetchedAll_) return false;
  const int result = Guard([&] {
    Status st;
    return cursor_->fetchNext(&st, outBuffer_.data());
  });
  if (result != IStatus::RESULT_OK) {
    fetchedAll_ = true;
    return false;
  }
  // Reading a row's blobs is engine work too (a text blob may not convert, for one).
  rows_.push_back(Guard([&] { return DecodeRow(); }));
  return true;
}

Row Dataset::DecodeRow() const {
  Status st;
  IUtil* util = Master()->getUtilInterface();
  Row row;
  row.reserve(fieldNames_.size());
  for (unsigned i = 0; i < fieldNames_.size(); ++i) {
    const unsigned char* field = outBuffer_.data() + outMeta_->getOffset(&st, i);
    if (*reinterpret_cast<const short*>(outBuffer_.data() + outMeta_->getNullOffset(&st, i))) {
      row.emplace_back();
      continue;
    }
    const unsigned type = outMeta_->getType(&st, i) & ~1u;
    const int scale = outMeta_->getScale(&st, i);
    const unsigned charset = outMeta_->getCharSet(&st, i);
    auto text = [&](const char* p, size_t n) -> Value {
      std::string bytes(p, n);
      if (charset == kCharsetOctets) return Value(SqlBlob{std::move(bytes)});
      return Value(Cp1252ToUtf8(bytes));
    };
    auto scaled = [&](int64_t v) -> Value {
      if (scale == 0) return Value(v);
      return Value(static_cast<double>(v) * std::pow(10.0, scale));
    };
    switch (type) {
      case SQL_TEXT: {
        size_t n = outMeta_->getLength(&st, i);
        const char* p = reinterpret_cast<const char*>(field);
        if (charset != kCharsetOctets)
          while (n > 0 && p[n - 1] == ' ') --n;
        row.push_back(text(p, n));
        break;
      }
      case SQL_VARYING: {
        unsigned short n;
        std::memcpy(&n, field, sizeof n);
        row.push_back(text(reinterpret_cast<const char*>(field) + sizeof n, n));
        break;
      }
      case SQL_SHORT: {
        int16_t v;
        std::memcpy(&v, field, sizeof v);
        row.push_back(scaled(v));
        break;
      }
      case SQL_LONG: {
        int32_t v;
        std::memcpy(&v, field, sizeof v);
        row.push_back(scaled(v));
        break;
      }
      case SQL_INT64: {
        int64_t v;
        std::memcpy(&v, field, sizeof v);
        row.push_back(scaled(v));
        break;
      }
      case SQL_FLOAT: {
        float v;
        std::memcpy(&v, field, sizeof v);
        row.emplace_back(static_cast<double>(v));
        break;
      }
      case SQL_DOUBLE:
      case SQL_D_FLOAT: {
        double v;
        std::memcpy(&v, field, sizeof v);
        row.emplace_back(v);
        break;
      }
      case SQL_BOOLEAN:
        row.emplace_back(int64_t{*field != 0});
        break;
      case SQL_TYPE_DATE:
      case SQL_TYPE_TIME:
      case SQL_TIMESTAMP: {
        ISC_DATE d = 0;
        ISC_TIME t = 0;
        if (type == SQL_TYPE_DATE) std::memcpy(&d, field, sizeof d);
        if (type == SQL_TYPE_TIME) std::memcpy(&t, field, sizeof t);
        if (type == SQL_TIMESTAMP) {
          ISC_TIMESTAMP ts;
          std::memcpy(&ts, field, sizeof ts);
          d = ts.timestamp_date;
          t = ts.timestamp_time;
        }
        DateTime when;
        unsigned y, m, dd, h, mi, s, frac;
        if (type != SQL_TYPE_TIME) {
          util->decodeDate(d, &y, &m, &dd);
          when.year = static_cast<int>(y), when.month = static_cast<int>(m);
          when.day = static_cast<int>(dd);
        }
        if (type != SQL_TYPE_DATE) {
          util->decodeTime(t, &h, &mi, &s, &frac);
          when.hour = static_cast<int>(h), when.minute = static_cast<int>(mi);
          when.second = static_cast<int>(s), when.msec = static_cast<int>(frac / 10);
        }
        if (type == SQL_TYPE_DATE)
          row.emplace_back(SqlDate{when});
        else if (type == SQL_TYPE_TIME)
          row.emplace_back(SqlTime{when});
        else
          row.emplace_back(SqlTimestamp{when});
        break;
      }
      case SQL_BLOB: {
        ISC_QUAD id;
        std::memcpy(&id, field, sizeof id);
        std::string bytes;
        IBlob* blob = db_.Handle()->openBlob(&st, db_.Transaction(), &id, 0, nullptr);
        try {
          char chunk[kMaxSegment];
          for (;;) {
            unsigned got = 0;
            const int r = blob->getSegment(&st, sizeof chunk, chunk, &got);
            if (r == IStatus::RESULT_OK || r == IStatus::RESULT_SEGMENT)
              bytes.append(chunk, got);
            else
              break;
          }
          blob->close(&st);
        } catch (...) {
          blob->release();
          throw;
        }
        if (outMeta_->getSubType(&st, i) == 1 && charset != kCharsetOctets)
          row.emplace_back(Cp1252ToUtf8(bytes));
        else
          row.emplace_back(SqlBlob{std::move(bytes)});
        break;
      }
      default:
        throw DatabaseError("Tipo de coluna não suportado em " + fieldNames_[i] + ".");
    }
  }
  return row;
}

void Dataset::First() {
  if (!active_) return;
  if (rows_.empty()) FetchOne();
  position_ = rows_.empty() ? -1 : 0;
  eof_ = rows_.empty();
  bof_ = true;
}

void Dataset::Next() {
  if (!active_ || eof_) return;
  if (position_ + 1 < static_cast<int>(rows_.size()) || FetchOne()) {
    ++position_;
    bof_ = false;
  } else {
    eof_ = true;
  }
}

void Dataset::Prior() {
  if (!active_ || rows_.empty()) return;
  if (position_ > 0) {
    --position_;
    eof_ = false;
  } else {
    bof_ = true;
  }
}

bool Dataset::HasField(const std::string& name) const {
  const std::string key = Upper(name);
  return std::find(fieldNames_.begin(), fieldNames_.end(), key) != fieldNames_.end();
}

const Value& Dataset::FieldByName(const std::string& name) const {
  const std::string key = Upper(name);
  const auto it = std::find(fieldNames_.begin(), fieldNames_.end(), key);
  if (it == fieldNames_.end()) throw DatabaseError(name + ": campo não encontrado.");
  if (position_ < 0 || position_ >= static_cast<int>(rows_.size())) {
    static const Value kNull;  // an empty result reads as null, as a dataset field does
    return kNull;
  }
  return rows_[position_][it - fieldNames_.begin()];
}

void Dataset::FetchAll() {
  while (FetchOne()) {
  }
}

int Dataset::RecordCount() {
  FetchAll();
  return static_cast<int>(rows_.size());
}

}  // namespace zv::fb
