// The finder against the request's plain Compare: the first place found is the first
// place where Compare succeeds, byte for byte or with ASCII letters folded, whatever
// line feeds and NULs the bytes hold.

#include "Fuzz.h"
#include "engine/search/TextFinder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    VarnikFuzz::Input input(data, size);
    Vn::SearchRequest request;
    request.mFlags.CaseSensitive = input.Byte() % 2 == 0;
    request.SetText(input.Take(input.Byte() % 16).c_str());
    const std::string bytes = input.Rest();

    size_t expected = Vn::TextFinder::NONE;
    for (size_t at = 0; at <= bytes.size() && expected == Vn::TextFinder::NONE; at++)
    {
        if (request.Compare(bytes.c_str() + at))
            expected = at;
    }
    const size_t found = Vn::TextFinder(request).Find(bytes.data(), bytes.size());
    VarnikFuzz::Require(found == expected, "the finder stops where Compare first succeeds");
    return 0;
}
