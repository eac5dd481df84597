#include <gtest/gtest.h>

#include "SqlText.h"

namespace zv::fb {
namespace {

TEST(ToPositional, ReplacesNamesOutsideQuotesAndComments) {
  struct Case {
    const char* in;
    const char* sql;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {"SELECT Nome FROM Medicos WHERE Medicos.Codigo=:Codigo",
       "SELECT Nome FROM Medicos WHERE Medicos.Codigo=?",
       {"CODIGO"}},
      {"Execute Procedure InsertArquivos  :Codigo_Exames,:Imagem_Central,:Imagem_Lateral",
       "Execute Procedure InsertArquivos  ?,?,?",
       {"CODIGO_EXAMES", "IMAGEM_CENTRAL", "IMAGEM_LATERAL"}},
      // a name used twice is bound at both places
      {"SELECT * FROM Exames WHERE Hora = (SELECT max(Hora) FROM Exames WHERE CodPaciente=:CodPac)"
       " AND CodPaciente=:CodPac",
       "SELECT * FROM Exames WHERE Hora = (SELECT max(Hora) FROM Exames WHERE CodPaciente=?)"
       " AND CodPaciente=?",
       {"CODPAC", "CODPAC"}},
      // quoted text, doubled quotes, quoted identifiers and comments are left alone
      {"SELECT ':a', 'it''s :b', \"X:c\" FROM T WHERE A=:d -- :e\n AND B=/* :f */:g",
       "SELECT ':a', 'it''s :b', \"X:c\" FROM T WHERE A=? -- :e\n AND B=/* :f */?",
       {"D", "G"}},
      {"SELECT Codigo,Nome,Rg FROM Pacientes WHERE Upper(nome) like '%JO:AO%' ORDER BY Nome ASC",
       "SELECT Codigo,Nome,Rg FROM Pacientes WHERE Upper(nome) like '%JO:AO%' ORDER BY Nome ASC",
       {}},
      // a colon not followed by a name, and an unterminated text
      {"SELECT 1 FROM T WHERE A = : B", "SELECT 1 FROM T WHERE A = : B", {}},
      {"SELECT 'abc :x", "SELECT 'abc :x", {}},
  };
  for (const Case& c : cases) {
    const PositionalSql out = ToPositional(c.in);
    EXPECT_EQ(out.sql, c.sql) << c.in;
    EXPECT_EQ(out.names, c.names) << c.in;
  }
}

TEST(SplitScript, KeepsProcedureBodiesWholeUnderSetTerm) {
  const char* script =
      "/* header; with a semicolon */\n"
      "CREATE TABLE T (A INTEGER); -- trailing; comment\n"
      "INSERT INTO T VALUES (';');\n"
      "SET TERM ^ ;\n"
      "CREATE PROCEDURE P (X INTEGER) AS BEGIN\n  UPDATE T SET A = :X;\n  DELETE FROM T;\nEND^\n"
      "SET TERM ; ^\n"
      "CREATE INDEX I ON T (A);\n";
  const auto statements = SplitScript(script);
  ASSERT_EQ(statements.size(), 4u);
  EXPECT_EQ(statements[0], "/* header; with a semicolon */\nCREATE TABLE T (A INTEGER)");
  EXPECT_EQ(statements[1], "-- trailing; comment\nINSERT INTO T VALUES (';')");
  EXPECT_EQ(statements[2],
            "CREATE PROCEDURE P (X INTEGER) AS BEGIN\n  UPDATE T SET A = :X;\n  DELETE FROM "
            "T;\nEND");
  EXPECT_EQ(statements[3], "CREATE INDEX I ON T (A)");
}

TEST(IsDdl, RecognisesMetadataStatements) {
  EXPECT_TRUE(IsDdl("  /* x */ create procedure P AS BEGIN END"));
  EXPECT_TRUE(IsDdl("-- note\nALTER TABLE T ADD B INTEGER"));
  EXPECT_FALSE(IsDdl("Execute Procedure ZeraBackupExames"));
  EXPECT_FALSE(IsDdl("SELECT COUNT(*) FROM Medicos"));
}

}  // namespace
}  // namespace zv::fb
