#include "model/DialPlace.h"

#include <utility>

namespace {

DialPlaceSource& Source()
{
    static DialPlaceSource source;
    return source;
}

}  // namespace

void SetDialPlaceSource(DialPlaceSource source)
{
    Source() = std::move(source);
}

std::optional<DialPlaceTexts> GetDialPlaceTexts()
{
    return Source() ? Source()() : std::nullopt;
}
