#include "engine/search/SearchHits.h"

#include "engine/search/HitsLayout.h"
#include "lib/Format.h"

#include <cinttypes>

namespace Vn
{

using HitsLayout::Shape;

static_assert(sizeof(SearchHits::Span) == HitsLayout::SPAN_SIZE);

const char* SearchHits::GetName() const
{
    if (mBlock == nullptr)
        return "";
    return reinterpret_cast<const char*>(mBlock + Shape::Of(mBlock).NameArea());
}

size_t SearchHits::GetLineCount() const
{
    return mBlock == nullptr ? 0 : Shape::Of(mBlock).mLines;
}

uint64_t SearchHits::GetField(size_t index, size_t field) const
{
    const Shape shape = Shape::Of(mBlock);
    const size_t at = shape.LineArea() + (HitsLayout::LINE_WORDS * index + field) * shape.Word();
    return HitsLayout::Load(mBlock + at, shape.mWide);
}

uint64_t SearchHits::GetLineNumber(size_t index) const
{
    return GetField(index, 0);
}

std::string_view SearchHits::GetLineText(size_t index) const
{
    const Shape shape = Shape::Of(mBlock);
    const size_t begin = GetField(index, 1);
    const size_t end = index + 1 < shape.mLines ? GetField(index + 1, 1) : shape.mTextSize;
    return {reinterpret_cast<const char*>(mBlock + shape.TextArea()) + begin, end - begin};
}

std::span<const SearchHits::Span> SearchHits::GetSpans(size_t index) const
{
    const Shape shape = Shape::Of(mBlock);
    const size_t first = GetField(index, 2);
    const size_t end = index + 1 < shape.mLines ? GetField(index + 1, 2) : shape.mSpans;
    const auto* spans = reinterpret_cast<const Span*>(mBlock + shape.SpanArea());
    return {spans + first, end - first};
}

std::string SearchHits::GetLineRow(size_t index) const
{
    const std::string_view text = GetLineText(index);
    return TrovLib::Format("Line %" PRIu64 " : %.*s", GetLineNumber(index),
                           static_cast<int>(text.size()), text.data());
}

std::span<const std::byte> SearchHits::GetBlock() const
{
    if (mBlock == nullptr)
        return {};
    const size_t name = Shape::Of(mBlock).NameArea();
    return {mBlock, name + std::char_traits<char>::length(GetName()) + 1};
}

} // namespace Vn
