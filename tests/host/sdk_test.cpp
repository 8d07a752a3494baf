#include "dzapp.h"
#include "dzguid.h"
#include "dztclassfactory.h"
#include "dzversion.h"

#include <gtest/gtest.h>

#include <QScriptEngine>

namespace {

class Gadget : public QObject {
    Q_OBJECT
public:
    enum Size { Small = 3, Large = 7 };
    Q_ENUM(Size)
};

const char* const kGadgetGuid = "0A1B2C3D-4E5F-4061-8293-A4B5C6D7E8F9";

TEST(DzGuidTest, ParsesBothFormsAndRejectsText) {
    const DzGuid plain = DzGuid::fromString(QStringLiteral("cd69d1ec-2478-47e0-b702-00d53565d476"));
    const DzGuid braced =
        DzGuid::fromString(QStringLiteral("{CD69D1EC-2478-47E0-B702-00D53565D476}"));
    EXPECT_EQ(plain, braced);
    EXPECT_EQ(plain.toString(), QStringLiteral("CD69D1EC-2478-47E0-B702-00D53565D476"));
    EXPECT_NE(plain, DzGuid::fromString(QString::fromLatin1(kGadgetGuid)));

    EXPECT_TRUE(DzGuid::fromString(QStringLiteral("not a guid")).isNull());
    EXPECT_TRUE(DzGuid::fromString(QStringLiteral("CD69D1EC-2478-47E0-B702")).isNull());
}

TEST(DzVersionTest, OrdersPartByPartNumerically) {
    EXPECT_LT(DzVersion(4, 9, 0, 0), DzVersion(4, 10, 0, 0));
    EXPECT_GT(DzVersion(5, 0, 0, 0), DzVersion(4, 99, 99, 99));
}

TEST(DzAppTest, RegistersEachClassOnceAndMakesItConstructibleFromScript) {
    DzApp app;
    ASSERT_EQ(dzApp, &app);
    const int builtins = app.getNumClassFactories(); // the host's shader bricks
    const DzGuid guid = DzGuid::fromString(QString::fromLatin1(kGadgetGuid));
    DzTClassFactory<Gadget> factory(guid);
    DzTClassFactory<Gadget> sameName(
        DzGuid::fromString(QStringLiteral("11111111-2222-4333-8444-555555555555")));
    DzTClassFactory<QObject> sameGuid(guid);

    EXPECT_TRUE(app.registerClassFactory(&factory));
    EXPECT_FALSE(app.registerClassFactory(&sameName));
    EXPECT_FALSE(app.registerClassFactory(&sameGuid));
    EXPECT_FALSE(app.registerClassFactory(nullptr));
    EXPECT_EQ(app.getNumClassFactories(), builtins + 1);
    EXPECT_EQ(app.findClassFactory(QStringLiteral("Gadget")), &factory);
    EXPECT_EQ(app.findClassFactory(guid), &factory);
    EXPECT_EQ(app.findClassFactory(DzGuid()), nullptr);

    QScriptEngine* engine = app.getScriptEngine();
    const QScriptValue made =
        engine->evaluate(QStringLiteral("var g = new Gadget(); [g.Large, Gadget.Small, "
                                        "g instanceof Object, typeof g.objectName]"));
    ASSERT_FALSE(engine->hasUncaughtException()) << qPrintable(made.toString());
    EXPECT_EQ(made.toString(), QStringLiteral("7,3,true,string"));
}

} // namespace

#include "sdk_test.moc"
