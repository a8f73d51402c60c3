#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zanmel {

// The one-line form of a list of text fields used by keyword.txt, ext.txt, record texts and choice lists.
// Texts are CP932 and scanned by character: a trail byte is never taken for a comma, a quote or a blank.

// Joins the fields with ",". A field holding a byte 0-32, a double quote or a comma is quoted, its double
// quotes doubled. No fields give ""; a single empty field gives two double quotes.
//
// A lead byte at the end of a field would swallow the byte written after it, so such a field cannot be written
// faithfully unless it ends the text: in the last field it is kept (a quoted last field then goes without its
// closing quote, which reading tolerates); in any other field it is dropped. Either way joining the split of a
// joined text gives the same text again.
std::string CommaTextJoin(const std::vector<std::string>& fields);
// The same, appended to out.
void AppendCommaText(std::string& out, std::span<const std::string_view> fields);

// Splits a comma text into its fields. Blanks (bytes 0-32) before and between fields are skipped; an unquoted
// field ends at a blank or a comma; a quoted field ends at a double quote not followed by another, doubled
// quotes standing for one, and runs to the end of the text when there is no closing quote. A comma that is the
// last character of the text adds an empty field.
std::vector<std::string> CommaTextSplit(std::string_view text);
// The same into fields, whose strings are reused: a reader of many lines allocates once, not per field.
void CommaTextSplitInto(std::string_view text, std::vector<std::string>& fields);

}  // namespace zanmel
