#pragma once

#include "dzmaterial.h"

#include <QList>

class DzShaderBrick;

// A material whose look comes from a network of shader bricks. Bricks are
// added between beginEdit() and finishEdit(); the material owns them.
class DZCORE_EXPORT DzBrickMaterial : public DzMaterial {
    Q_OBJECT
public:
    explicit DzBrickMaterial(QObject* parent = nullptr);

    bool isEditing() const { return m_editing; }
    void beginEdit();
    // Ends the edit and exposes the bricks' unconnected input properties on
    // the material (so findProperty("color") reaches the image brick).
    void finishEdit();
    // False (console message) outside an edit, for null or a brick already
    // in the network.
    bool addBrick(DzShaderBrick* brick);
    int getNumBricks() const { return int(m_bricks.size()); }
    DzShaderBrick* getBrick(int index) const;
    // Tells viewers the network changed.
    void update();

    // The picture of the first image brick's colour, else the material's own.
    DzTexture* getColorMap() const override;
    // The picture of the first normal-map brick.
    DzTexture* getNormalMap() const override;

private:
    QList<DzShaderBrick*> m_bricks;
    bool m_editing = false;
};
