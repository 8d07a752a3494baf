#include "dzcontentmgr.h"

DzContentMgr::DzContentMgr(QObject* parent) : QObject(parent) {}

QString DzContentMgr::getPoserDirectory(int index) const {
    return index >= 0 && index < m_poserDirectories.size() ? m_poserDirectories.at(index)
                                                           : QString();
}

void DzContentMgr::setPoserDirectories(const QStringList& directories) {
    m_poserDirectories = directories;
}
