#pragma once

#include <QObject>

namespace morvane {

// The props' object: a plain QObject the library's objects hang from. It
// has no behaviour of its own.
class myObjects : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
};

} // namespace morvane
