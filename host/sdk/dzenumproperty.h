#pragma once

#include "dzproperty.h"

#include <QStringList>

// A choice among labelled items; the value is the item's index.
class DZCORE_EXPORT DzEnumProperty : public DzProperty {
    Q_OBJECT
public:
    DzEnumProperty(const QString& name, const QString& label, const QStringList& items,
                   int value = 0);

    int getValue() const { return m_value; }
    int getNumItems() const { return int(m_items.size()); }
    QString getItem(int index) const;
    QString getStringValue() const { return getItem(m_value); }
    // -1 when no item has that text.
    int findItemString(const QString& item) const { return int(m_items.indexOf(item)); }

    // Both refuse (false, console message) an index or text that is no item.
    bool setValue(int index);
    bool setValue(const QString& item);

private:
    QStringList m_items;
    int m_value;
};
