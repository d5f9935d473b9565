#pragma once

#include <QString>

namespace varnelo {

// What playback needs of the join list. GUI thread only.
class IPlaylist {
public:
    virtual ~IPlaylist() = default;
    virtual int Count() const = 0;
    virtual int FirstSelectedIndex() const = 0; // -1 when nothing is selected
    virtual void SelectItem(int index) = 0;     // adds the item to the selection
    virtual QString ItemPath(int index) const = 0;
};

} // namespace varnelo
