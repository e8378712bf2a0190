// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScrollBarTestSupport.h"
#include "runtime/PropertyBag.h"

#include <QLocale>

#include <functional>

namespace {

const QString MaxRule = QStringLiteral("Invalid property value. Max property must be larger than Min property.");
const QString MinRule = QStringLiteral("Invalid property value. Min property must be smaller than Max property.");
const QString Difference
    = QStringLiteral("Invalid property value. Difference between Min and Max values cannot exceed ");

// A bar holding the given range and value, loaded as saved (unchecked, no events).
void load(dtVisualScrollBar &bar, qint64 min, qint64 max, qint64 value)
{
    runtime::PropertyBag bag;
    bag.set(QStringLiteral("Min"), min);
    bag.set(QStringLiteral("Max"), max);
    bag.set(QStringLiteral("Value"), value);
    bag.set(QStringLiteral("Orientation"), 0);
    bag.set(QStringLiteral("ThumbAlignment"), 3);
    bar.ReadProperties(bag);
}

} // namespace

struct ValueCase {
    const char *name;
    qint64 min;
    qint64 max;
    qint64 value;
    std::function<void(dtVisualScrollBar &)> assign;
    qint32 expectedMin;
    qint32 expectedMax;
    qint32 expectedValue;
    int expectedChanges;
    QString expectedMessage; // empty: none
};

class ValueModel : public ::testing::TestWithParam<ValueCase>
{
};

TEST_P(ValueModel, AssignmentsFollowTheRules)
{
    const ValueCase &c = GetParam();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    HostedBar hosted;
    load(*hosted.bar, c.min, c.max, c.value);
    hosted.clearCounts();

    c.assign(*hosted.bar);

    EXPECT_EQ(hosted.bar->Min(), c.expectedMin);
    EXPECT_EQ(hosted.bar->Max(), c.expectedMax);
    EXPECT_EQ(hosted.bar->Value(), c.expectedValue);
    EXPECT_EQ(hosted.changes.count(), c.expectedChanges);
    EXPECT_EQ(hosted.scrolls.count(), 0);
    if (c.expectedMessage.isEmpty()) {
        EXPECT_TRUE(hosted.reporter.messages.isEmpty());
    } else {
        ASSERT_EQ(hosted.reporter.messages.size(), 1);
        EXPECT_EQ(hosted.reporter.titles[0], QStringLiteral("Error"));
        EXPECT_EQ(hosted.reporter.messages[0], c.expectedMessage);
    }
    QLocale::setDefault(QLocale::c());
}

// The formatters of Debian 12 and 13 lay this table out differently; it keeps the one below.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Setters, ValueModel,
    ::testing::Values(
        ValueCase{"SameValueStillRaisesChange", 0, 100, 50, [](auto &b) { b.setValue(50); }, 0, 100, 50, 1, {}},
        ValueCase{"ValueInside", 0, 100, 50, [](auto &b) { b.setValue(70); }, 0, 100, 70, 1, {}},
        ValueCase{"ValueBelowMinIsMin", 0, 100, 50, [](auto &b) { b.setValue(-3); }, 0, 100, 0, 1, {}},
        ValueCase{"ValueAboveMaxIsMax", 0, 100, 50, [](auto &b) { b.setValue(101); }, 0, 100, 100, 1, {}},
        ValueCase{"ValueBeyondThirtyTwoBits", 0, 2147483647, 0, [](auto &b) { b.setValue(5000000000LL); }, 0,
                  2147483647, 2147483647, 1, {}},
        ValueCase{"MaxEqualToMinRefused", 0, 100, 50, [](auto &b) { b.setMax(0); }, 0, 100, 50, 0, MaxRule},
        ValueCase{"MaxBelowMinRefused", 10, 100, 50, [](auto &b) { b.setMax(5); }, 10, 100, 50, 0, MaxRule},
        ValueCase{"WidestMaxAccepted", 0, 100, 50, [](auto &b) { b.setMax(2147483647); }, 0, 2147483647, 50, 1, {}},
        ValueCase{"MaxDifferenceTooLarge", -1, 100, 50, [](auto &b) { b.setMax(2147483647); }, -1, 100, 50, 0,
                  Difference + QStringLiteral("2147483647")},
        ValueCase{"MaxPullsValueDown", 0, 100, 80, [](auto &b) { b.setMax(60); }, 0, 60, 60, 1, {}},
        ValueCase{"MinDifferenceTooLarge", 0, 2147483647, 50, [](auto &b) { b.setMin(-1); }, 0, 2147483647, 50, 0,
                  Difference + QStringLiteral("2,147,483,647")},
        ValueCase{"MinPushesValueUp", 0, 100, 5, [](auto &b) { b.setMin(10); }, 10, 100, 10, 1, {}},
        ValueCase{"MinKeepsValueAndStillRaisesChange", 0, 100, 50, [](auto &b) { b.setMin(-20); }, -20, 100, 50, 1,
                  {}},
        ValueCase{"MinEqualToMaxRefused", 0, 100, 50, [](auto &b) { b.setMin(100); }, 0, 100, 50, 0, MinRule},
        ValueCase{"MinAboveMaxRefused", 0, 100, 50, [](auto &b) { b.setMin(150); }, 0, 100, 50, 0, MinRule},
        ValueCase{"VolumeRange", 0, 100, 0,
                  [](auto &b) {
                      b.setMin(-5000);
                      b.setMax(0);
                  },
                  -5000, 0, 0, 2, {}}),
    [](const ::testing::TestParamInfo<ValueCase> &info) { return std::string(info.param.name); });
// clang-format on

TEST(ValueModelMessages, MinDifferenceUsesTheUsersGrouping)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    HostedBar hosted;
    load(*hosted.bar, 0, 2147483647, 0);
    hosted.bar->setMin(-1);
    ASSERT_EQ(hosted.reporter.messages.size(), 1);
    EXPECT_EQ(hosted.reporter.messages[0], Difference + QStringLiteral("2.147.483.647"));
    QLocale::setDefault(QLocale::c());
}

TEST(ValueModelMessages, AreCriticalErrorBoxes)
{
    struct IconReporter : runtime::MessageReporter {
        void showMessage(QWidget *, const QString &, const QString &, Icon shown) override { icon = shown; }
        Icon icon = Icon::None;
    } reporter;
    dtVisualScrollBar bar;
    bar.setMessageReporter(&reporter);
    bar.setLargeChange(0);
    EXPECT_EQ(reporter.icon, runtime::MessageReporter::Icon::Critical);
}

struct StepCase {
    qint64 assigned;
    qint32 stored;
    bool message;
};

class Steps : public ::testing::TestWithParam<StepCase>
{
};

TEST_P(Steps, SmallAndLargeChangeAreValidated)
{
    const StepCase &c = GetParam();
    HostedBar hosted;
    QSignalSpy notified(hosted.bar, &dtVisualScrollBar::propertyChanged);
    hosted.bar->setSmallChange(c.assigned);
    hosted.bar->setLargeChange(c.assigned);
    EXPECT_EQ(hosted.bar->SmallChange(), c.stored);
    EXPECT_EQ(hosted.bar->LargeChange(), c.stored);
    EXPECT_EQ(hosted.reporter.messages.size(), c.message ? 2 : 0);
    for (const QString &m : hosted.reporter.messages)
        EXPECT_EQ(m, QStringLiteral("Invalid property value"));
    ASSERT_EQ(notified.count(), 2);
    EXPECT_EQ(notified[0][0].toString(), QStringLiteral("SmallChange"));
    EXPECT_EQ(notified[1][0].toString(), QStringLiteral("LargeChange"));
}

INSTANTIATE_TEST_SUITE_P(Range, Steps,
                         ::testing::Values(StepCase {0, 1, true}, StepCase {32768, 1, true}, StepCase {-5, 1, true},
                                           StepCase {1, 1, false}, StepCase {32767, 32767, false},
                                           StepCase {100, 100, false}));

TEST(Notifications, PersistedPropertiesTellTheHost)
{
    HostedBar hosted;
    hosted.drawNew(3000, 315);
    QSignalSpy notified(hosted.bar, &dtVisualScrollBar::propertyChanged);
    hosted.bar->setValue(5);
    hosted.bar->setMax(500);
    hosted.bar->setAutoSize(false);
    hosted.bar->setButtonsVisible(true);
    hosted.bar->setPictureThumb(pictureOf(10, 10));
    hosted.bar->setEnabled(false);
    // These three are not saved again by a designer.
    hosted.bar->setThumbAlignment(5);
    hosted.bar->setOrientation(0);
    hosted.bar->setBackColor(0x123456);
    QStringList names;
    for (const QList<QVariant> &args : notified)
        names << args[0].toString();
    EXPECT_EQ(names, (QStringList {"Value", "Value", "Max", "AutoSize", "ButtonsVisible", "PictureThumb", "Enabled"}));
    EXPECT_FALSE(hosted.bar->Enabled());
}

struct AlignmentCase {
    qint32 orientation;
    qint32 alignmentBefore;
    std::function<void(dtVisualScrollBar &)> assign;
    qint32 expected;
};

class AlignmentMapping : public ::testing::TestWithParam<AlignmentCase>
{
};

TEST_P(AlignmentMapping, FollowsTheOrientation)
{
    const AlignmentCase &c = GetParam();
    HostedBar hosted;
    runtime::PropertyBag bag;
    bag.set(QStringLiteral("Orientation"), c.orientation);
    bag.set(QStringLiteral("ThumbAlignment"), c.alignmentBefore);
    hosted.bar->ReadProperties(bag);
    c.assign(*hosted.bar);
    EXPECT_EQ(hosted.bar->ThumbAlignment(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, AlignmentMapping,
                         ::testing::Values(AlignmentCase {1, 1, [](auto &b) { b.setOrientation(0); }, 4},
                                           AlignmentCase {0, 5, [](auto &b) { b.setOrientation(1); }, 2},
                                           AlignmentCase {0, 3, [](auto &b) { b.setOrientation(0); }, 3},
                                           AlignmentCase {0, 4, [](auto &b) { b.setThumbAlignment(2); }, 5},
                                           AlignmentCase {1, 0, [](auto &b) { b.setThumbAlignment(4); }, 1},
                                           AlignmentCase {1, 0, [](auto &b) { b.setThumbAlignment(9); }, 9}));

TEST(OrientationSetter, ShowsTheArrowsOfTheNewOrientationWhateverButtonsVisibleSays)
{
    HostedBar hosted;
    hosted.drawNew(3000, 315);
    hosted.bar->setButtonsVisible(false);
    hosted.bar->setOrientation(1);
    EXPECT_FALSE(hosted.bar->picUP()->isHidden());
    EXPECT_FALSE(hosted.bar->picDN()->isHidden());
    EXPECT_TRUE(hosted.bar->picLeft()->isHidden());
    EXPECT_TRUE(hosted.bar->picRight()->isHidden());
    hosted.bar->setButtonsVisible(false);
    EXPECT_TRUE(hosted.bar->picUP()->isHidden());
    EXPECT_TRUE(hosted.bar->picDN()->isHidden());
}
