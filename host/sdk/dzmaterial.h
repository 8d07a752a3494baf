#pragma once

#include "dzelement.h"

#include <QColor>

class DzColorProperty;
class DzTexture;

// A surface's look. Shapes share materials and count their references: a
// material is deleted when its last reference goes (`ref`/`deref`, or a
// DzRefPtr).
class DZCORE_EXPORT DzMaterial : public DzElement {
    Q_OBJECT
public:
    explicit DzMaterial(QObject* parent = nullptr);

    void ref() { ++m_refs; }
    void deref();

    void select(bool onOff);
    bool isSelected() const { return m_selected; }

    // The diffuse colour, property "color".
    QColor getDiffuseColor() const;
    bool setDiffuseColor(const QColor& color);
    virtual DzTexture* getColorMap() const;
    void setColorMap(DzTexture* texture);
    // The bump direction picture; none here.
    virtual DzTexture* getNormalMap() const { return nullptr; }
    // False when the surface takes no light (a sky): viewers and exports
    // draw its colour as it is.
    virtual bool isLit() const { return true; }

signals:
    void selectionChanged(bool selected);
    void materialChanged();

protected:
    DzColorProperty* m_diffuse;

private:
    int m_refs = 0;
    bool m_selected = false;
};

// Holds one reference to a material while it lives.
template <class T> class DzRefPtr {
public:
    DzRefPtr(T* item = nullptr) : m_item(item) {
        if (m_item)
            m_item->ref();
    }
    ~DzRefPtr() {
        if (m_item)
            m_item->deref();
    }
    DzRefPtr(const DzRefPtr&) = delete;
    DzRefPtr& operator=(const DzRefPtr&) = delete;
    T* get() const { return m_item; }
    T* operator->() const { return m_item; }
    operator T*() const { return m_item; }

private:
    T* m_item;
};
