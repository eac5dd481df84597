// Statement texts as the data layer sends them: named parameters (":Nome") turned into the
// engine's positional "?" markers, and a schema script split into single statements.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace zv::fb {

struct PositionalSql {
  std::string sql;                 // the statement with every ":Name" replaced by "?"
  std::vector<std::string> names;  // parameter name of each "?", in order, upper case
};

// Replaces each ":Name" by "?" outside quoted text ('...' with '' inside, "...") and comments
// (-- to the end of the line, /* ... */).  A name used twice gets two markers.  Only for DML:
// inside procedure bodies ":x" is a variable, so DDL must never pass through here.
PositionalSql ToPositional(std::string_view sql);

// Splits a script into statements.  Statements end with the current terminator (";" at first);
// "SET TERM <new> <old>" lines change it, as in isql, so a procedure body with inner ";" stays
// one statement.  Quoted text and comments never end a statement.  Empty statements are dropped.
std::vector<std::string> SplitScript(std::string_view script);

// The text with every single quote doubled, for joining typed text into a quoted SQL text
// ('...' + EscapeQuotes(typed) + '...'), so a quote in a name never ends the text early.
std::string EscapeQuotes(std::string_view text);

// True for statements that change metadata (CREATE, ALTER, DROP, RECREATE, DECLARE, GRANT...).
bool IsDdl(std::string_view statement);

}  // namespace zv::fb
