// Record text parsing and the record operations on whatever it yields.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/LaunchWordData.h"
#include "core/ZanmelError.h"

namespace {

// Bytes pass as they are: the conversion is the platform's, the encoding around it is under test.
class PassThroughCodec : public zanmel::Cp932Codec {
public:
    std::string Cp932ToUtf8(std::string_view cp932) const override { return std::string(cp932); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using zanmel::TLaunchWordData2;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TLaunchWordData2 record;
    try {
        record.FromText(text);
    } catch (const zanmel::ZanmelError&) {
        if (!(record == TLaunchWordData2{})) std::abort();  // a failed read leaves the record as it was
        return 0;
    }
    // Fields read from a record text never end in a lone lead byte, so the record text reads back exactly.
    if (!(TLaunchWordData2::Parse(record.ToText()) == record)) std::abort();

    (void)record.Classify();
    (void)record.ShowModeName();
    const PassThroughCodec codec;
    for (const std::int32_t charset : {0, 8, 16}) {
        record.flags = (record.flags & ~TLaunchWordData2::kCharacterSetMask) | charset;
        if (record.EncodeSearchText(record.parameters, codec).size() > TLaunchWordData2::kMaxEncodedLength) {
            std::abort();
        }
    }
    if (zanmel::Cp932ToEucJp(record.path).size() > record.path.size()) std::abort();
    record.PutSearchText(record.verb, codec);
    const int charset = zanmel::DetectCharacterSet(text);
    if (charset < 0 || charset > 2) std::abort();
    (void)zanmel::MakeTemplate(text, charset);
    return 0;
}
