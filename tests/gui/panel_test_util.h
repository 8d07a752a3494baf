#pragma once

#include "gui_fixture.h"

#include <QImage>
#include <QSlider>
#include <QWidget>

#include <stdexcept>
#include <vector>

namespace morvane::testing {

// A panel's named widget; a missing one fails the test before it is used.
template <typename T = QWidget> T* child(const QWidget& parent, const QString& name) {
    T* found = parent.findChild<T*>(name);
    if (!found) {
        ADD_FAILURE() << "no widget " << name.toStdString();
        throw std::runtime_error("missing widget");
    }
    return found;
}

inline bool shown(const QWidget& panel, const QString& name) {
    return child(panel, name)->isVisibleTo(&panel);
}

// A user's drag: the value changes while the slider is down, then the release.
inline void drag(QSlider* slider, int value) {
    slider->setSliderDown(true);
    slider->setValue(value);
    slider->setSliderDown(false);
}

inline void writePicture(const QString& file, const QColor& colour, int size = 16) {
    QImage picture(size, size, QImage::Format_RGB32);
    picture.fill(colour);
    ASSERT_TRUE(picture.save(file, nullptr, 100)) << file.toStdString();
}

// The first seeds a panel draws, from a source like the panel fixture's.
inline std::vector<int> fixtureSeeds(int count) {
    SequenceSeedSource copy{7};
    std::vector<int> seeds;
    for (int i = 0; i < count; ++i)
        seeds.push_back(copy.drawSeed());
    return seeds;
}

} // namespace morvane::testing
