#include "AssociationPlaces.h"

namespace {

constexpr TextView kRoots[] = {u"HKCR\\", u"HKEY_CLASSES_ROOT\\"};

} // namespace

Text PathOf(AssociationPlace place)
{
    return Text(kRoots[0]).append(kAssociationPlaces[static_cast<std::size_t>(place)].belowRoot);
}

std::optional<AssociationPlace> PlaceOf(TextView path)
{
    for (TextView root : kRoots) {
        if (!path.starts_with(root))
            continue;
        for (const PlacePath& known : kAssociationPlaces)
            if (EqualIgnoringAsciiCase(path.substr(root.size()), known.belowRoot))
                return known.place;
    }
    return std::nullopt;
}
