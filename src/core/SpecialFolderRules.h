#pragma once
// The special folder table and the rules of the special folder dialog's rows.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/KeyWordList.h"

namespace zanmel {

// One catalogued special folder: its default keyword (also the caption of its row), the shell's CSIDL
// number, whether it is among the recommended ones, and the description the dialog shows.
struct SpecialFolderEntry {
    std::string_view keyword;
    std::int32_t csidl;
    bool recommended;
    std::string_view description;
};

inline constexpr std::size_t kSpecialFolderCount = 43;
const std::array<SpecialFolderEntry, kSpecialFolderCount>& SpecialFolderTable();

// The tree folder that holds the special folder items.
extern const char* const kSpecialFolderNode;
extern const char* const kSpecialFolderDuplicate;
extern const char* const kSpecialFolderEmpty;

// For each row, the position in the keyword index of the "SpecialFolder" keyword that opens its folder, or -1.
// A keyword whose data is no integer belongs to no row; of two keywords for one folder the later one counts.
std::vector<std::int32_t> RegisteredRows(const TKeyWordList& keyWords);

// A row of the dialog as "設定" finds it.
struct SpecialFolderRow {
    bool ticked = false;
    std::string keyword;          // the edit's text
    std::string previousKeyword;  // the text it showed when the dialog was opened
    std::int32_t registered = -1;
};

// The checks before anything is stored. red[i] is set for every ticked row whose keyword another ticked row
// holds too (without regard to letter case, as keywords are unique), that a keyword of another kind holds, or
// that could not be a keyword of the tree at all (empty, or beginning with "#", the mark of folders). Returns
// the message for the first kind of fault found, or "" when every row passes.
std::string CheckSpecialFolderRows(const std::vector<SpecialFolderRow>& rows, const TKeyWordList& keyWords,
                                   std::vector<bool>& red);

// What "設定" does for a row.
enum class SpecialFolderAction { None, Register, Change, Delete };
SpecialFolderAction ActionOf(const SpecialFolderRow& row);

}  // namespace zanmel
