// The settings file: whatever it holds, the values read from it are the
// values read again after they were saved, and the file's text is stable
// from its first save on.
#include "fuzz/FuzzCheck.h"
#include "session/FormStorage.h"

#include <cstdint>

using namespace lw;

namespace {

constexpr ScreenFacts kScreen{1280, 1024, 96};
constexpr WinRect kCurrent{10, 20, 650, 530};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const ProfileFile parsed = ProfileFile::parse(bytes);
    const QByteArray text = parsed.text();
    FUZZ_CHECK(ProfileFile::parse(text).text() == text);

    BoxLayout first;
    const FormRestore r1 = restoreFormSettings(parsed, kScreen, kCurrent, first);
    ProfileFile saved = parsed;
    WindowPlacement placement;
    if (r1.placement) placement = *r1.placement;
    saveFormSettings(saved, placement, false, first, kScreen);

    BoxLayout second;
    const FormRestore r2 =
        restoreFormSettings(ProfileFile::parse(saved.text()), kScreen, kCurrent, second);
    FUZZ_CHECK(second == first);
    FUZZ_CHECK(r2.restored);
    if (r1.placement && r2.placement) FUZZ_CHECK(*r2.placement == *r1.placement);
    return 0;
}
