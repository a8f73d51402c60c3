// keyword.txt loading of any bytes, then the index operations on what was loaded.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/KeyWordList.h"
#include "core/ZanmelError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    zanmel::TKeyWordList list("PC", [] { return zanmel::LocalTime{2026, 1, 1, 0, 0, 0}; });
    try {
        list.LoadFromText(bytes, "keyword.txt");
    } catch (const zanmel::ZanmelError&) {
        // The rows before the bad line stay and are usable.
    }

    // What is saved loads without error and saves to the same bytes.
    const std::string saved = list.SaveToText();
    zanmel::TKeyWordList again;
    again.LoadFromText(saved, "keyword.txt");
    if (again.Count() != list.Count() || again.SaveToText() != saved) std::abort();

    if (list.Count() > 0) {
        const std::string last(list.KeyWordAt(list.Count() - 1));
        list.Learning(last);
        std::string query = last.substr(0, 3);
        (void)list.Search(query, false, true);
        query = last.substr(last.size() / 2);
        (void)list.Search(query, true, false);
        list.BuildIconLookup();
        (void)list.IconLookup(last);
        try {
            (void)list.IconNumberOf(last);
        } catch (const zanmel::ZanmelError&) {
        }
        list.Delete(last);
    }
    return 0;
}
