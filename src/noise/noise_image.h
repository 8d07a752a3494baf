#pragma once

#include <libnoise/module/modulebase.h>

#include <QString>

class QImage;

namespace morvane::module {

// Height field from a picture's red channel over x, z in [0, 4). The picture
// is decoded when the value at exactly (0, 0, 0) is asked for (the first
// sample of a build from the origin) into one of two process-wide slots, so
// nodes of one evaluation can share a loaded picture.
class NoiseImage : public noise::module::Module {
public:
    static constexpr int kSlotCount = 2;

    NoiseImage();
    ~NoiseImage() override;

    int GetSourceModuleCount() const override { return 0; }
    double GetValue(double x, double y, double z) const override;

    void SetFileName(const QString& fileName) { m_fileName = fileName; }
    const QString& GetFileName() const { return m_fileName; }
    // Slots outside 0..1 are taken as slot 0.
    void SetSlot(int slot) { m_slot = (slot == 1) ? 1 : 0; }
    int GetSlot() const { return m_slot; }

    // Decodes the file into the slot now; an unreadable file empties it.
    // Returns whether a picture was loaded.
    bool LoadSlot() const;
    static const QImage& SlotImage(int slot);
    static void ClearSlots();

private:
    QString m_fileName;
    int m_slot = 0;
};

} // namespace morvane::module
