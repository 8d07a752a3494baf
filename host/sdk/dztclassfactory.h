#pragma once

#include "dzclassfactory.h"

// A factory bound to the class T: its name and meta-object come from T.
// Creation is left to the deriving factory (for classes whose constructor
// needs arguments).
template <class T> class DzTCustomClassFactory : public DzClassFactory {
public:
    explicit DzTCustomClassFactory(const DzGuid& guid)
        : DzClassFactory(QString::fromLatin1(T::staticMetaObject.className()), &T::staticMetaObject,
                         guid) {}
};

// A factory for a class T with a default constructor.
template <class T> class DzTClassFactory : public DzTCustomClassFactory<T> {
public:
    using DzTCustomClassFactory<T>::DzTCustomClassFactory;
    using DzClassFactory::createInstance;

    QObject* createInstance() const override { return new T(); }
};
