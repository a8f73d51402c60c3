// Kana readings of any keyword bytes and romaji queries of any typed bytes: the first byte picks letter case,
// the bytes up to the next NUL are the keyword, the rest the typed text.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/KanaReadings.h"
#include "core/RomajiQuery.h"
#include "core/RomajiReading.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const bool caseSensitive = (data[0] & 1) != 0;
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t nul = rest.find('\0');
    const std::string_view keyword = rest.substr(0, nul);
    const std::string_view typed = nul == std::string_view::npos ? std::string_view() : rest.substr(nul + 1);

    const std::string reading = zanmel::romaji::ReadingOf(keyword);
    if (reading.size() % 2 != 0 || zanmel::romaji::UnitCount(reading) > keyword.size()) std::abort();

    const zanmel::romaji::RomajiQuery query(typed, caseSensitive);
    const bool forward = query.Matches(reading, true);
    const bool partial = query.Matches(reading, false);
    if (forward && !partial) std::abort();

    // The index's scans over all readings agree with the query's own answer, for a row among others.
    zanmel::KanaReadings readings;
    readings.push_back("\x82\xA0");  // あ in CP932
    readings.push_back(keyword);
    readings.push_back("x");
    for (const bool f : {true, false}) {
        std::vector<std::size_t> rows;
        readings.Find(query, f, rows);
        const bool found = std::find(rows.begin(), rows.end(), 1u) != rows.end();
        if (found != (f ? forward : partial)) std::abort();
    }
    return 0;
}
