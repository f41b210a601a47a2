#include "SettingsTestSupport.h"
#include "data/OperatorTexts.h"
#include "settings/SettingsRow.h"
#include "ui/settings/CDlgSetSens.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QtTest>

Q_DECLARE_METATYPE(hv::DbValue)

using namespace settings_test;

namespace {

const std::string kConnectionError = "Database connection error!";
const std::string kSaveSuccessfully = "Save Successfully!";

QLabel* LabelWithText(const QWidget& dialog, const QString& text) {
    for (QLabel* label : dialog.findChildren<QLabel*>())
        if (label->text() == text)
            return label;
    return nullptr;
}

} // namespace

class TestCDlgSetSens : public QObject {
    Q_OBJECT

private slots:
    void init() { m_env = std::make_unique<Environment>(); }
    void cleanup() { m_env.reset(); }

    void sliderRunsFromHighAtTheTopToLowAtTheBottom();
    void showsTheStoredLevel_data();
    void showsTheStoredLevel();
    void saveStoresTheLevelAndStaysOpen();
    void outOfRangeValueIsSavedAsTheNearerEnd();
    void emptySettingsTable();
    void unavailableDatabase();

private:
    std::unique_ptr<Environment> m_env;
};

void TestCDlgSetSens::sliderRunsFromHighAtTheTopToLowAtTheBottom() {
    CDlgSetSens dialog;
    QVERIFY(ShowActive(dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Sensitivity adjustment"));
    QSlider* slider = dialog.Slider();
    QCOMPARE(slider->orientation(), Qt::Vertical);
    QCOMPARE(slider->minimum(), 10);
    QCOMPARE(slider->maximum(), 30);
    QCOMPARE(slider->tickInterval(), 2);
    QVERIFY(slider->tickPosition() != QSlider::NoTicks);
    QCOMPARE(dialog.Description()->text(),
             QStringLiteral("Sensitivity adjustment refers to the adjustment device detection rod "
                            "sensitivity. For example: the special sensitive instrument will "
                            "automatically take the value that can be properly lowered "
                            "sensitivity; be detected for some people more difficult to detect "
                            "when the apparatus may be appropriately increased sensitivity."));
    QVERIFY(dialog.Description()->wordWrap());

    QLabel* high = LabelWithText(dialog, QStringLiteral("High"));
    QLabel* mid = LabelWithText(dialog, QStringLiteral("Mid"));
    QLabel* low = LabelWithText(dialog, QStringLiteral("Low"));
    QVERIFY(high && mid && low);
    QVERIFY(high->geometry().bottom() < mid->geometry().top());
    QVERIFY(mid->geometry().bottom() < low->geometry().top());

    // The handle of the smallest number sits at the top, next to "High".
    const auto handleY = [slider](int value) {
        slider->setValue(value);
        QStyleOptionSlider option;
        option.initFrom(slider);
        option.orientation = slider->orientation();
        option.minimum = slider->minimum();
        option.maximum = slider->maximum();
        option.sliderPosition = slider->value();
        option.sliderValue = slider->value();
        option.upsideDown = !slider->invertedAppearance(); // vertical sliders count upwards
        return slider->style()
            ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider)
            .center()
            .y();
    };
    QVERIFY(handleY(10) < handleY(30));

    // The Up key moves the handle up, towards higher sensitivity.
    slider->setValue(20);
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Up);
    QCOMPARE(slider->value(), 19);
}

void TestCDlgSetSens::showsTheStoredLevel_data() {
    QTest::addColumn<hv::DbValue>("stored");
    QTest::addColumn<int>("shown");
    QTest::newRow("25") << hv::DbValue(25) << 25;
    QTest::newRow("10") << hv::DbValue(10) << 10;
    QTest::newRow("30") << hv::DbValue(30) << 30;
    QTest::newRow("above the range") << hv::DbValue(45) << 30;
    QTest::newRow("below the range") << hv::DbValue(3) << 10;
    QTest::newRow("negative") << hv::DbValue(-20) << 10;
    QTest::newRow("NULL") << hv::DbValue() << 20;
}

void TestCDlgSetSens::showsTheStoredLevel() {
    QFETCH(hv::DbValue, stored);
    QFETCH(int, shown);
    QVERIFY(Exec("update SetValue set MachineLM=?", {stored}));
    CDlgSetSens dialog;
    QCOMPARE(dialog.Slider()->value(), shown);
    QVERIFY(m_env->sink.messages.empty());
}

void TestCDlgSetSens::saveStoresTheLevelAndStaysOpen() {
    QVERIFY(Exec("update SetValue set IfCanChu=1"));
    CDlgSetSens dialog;
    QVERIFY(ShowActive(dialog));
    QCOMPARE(dialog.Slider()->value(), 20);
    dialog.Slider()->setValue(14);
    QTest::mouseClick(dialog.SaveButton(), Qt::LeftButton);
    QVERIFY(dialog.isVisible());
    QCOMPARE(Value("select MachineLM from SetValue"), hv::DbValue(14));
    QCOMPARE(Value("select IfCanChu from SetValue"), hv::DbValue(1));
    QCOMPARE(m_env->sink.messages, std::vector<std::string>{kSaveSuccessfully});
    // Saving twice writes the value twice and says so twice; Enter is Save.
    QTest::keyClick(&dialog, Qt::Key_Return);
    QCOMPARE(m_env->sink.messages, std::vector<std::string>(2, kSaveSuccessfully));
    QCOMPARE(Value("select MachineLM from SetValue"), hv::DbValue(14));
    QVERIFY(dialog.isVisible());

    CDlgSetSens reopened;
    QCOMPARE(reopened.Slider()->value(), 14);
    dialog.Slider()->setValue(27);
    dialog.ExitButton()->click();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(Value("select MachineLM from SetValue"), hv::DbValue(14));
}

void TestCDlgSetSens::outOfRangeValueIsSavedAsTheNearerEnd() {
    QVERIFY(Exec("update SetValue set MachineLM=99"));
    CDlgSetSens dialog;
    dialog.SaveButton()->click();
    QCOMPARE(Value("select MachineLM from SetValue"), hv::DbValue(30));
}

// Without a settings row there is nothing to update: the window says so rather than
// "Save Successfully!".
void TestCDlgSetSens::emptySettingsTable() {
    QVERIFY(Exec("delete from SetValue"));
    CDlgSetSens dialog;
    QCOMPARE(dialog.Slider()->value(), 20);
    QVERIFY(m_env->sink.messages.empty());
    dialog.SaveButton()->click();
    QCOMPARE(m_env->sink.messages,
             std::vector<std::string>{std::string(hv::texts::kSettingsRowMissing)});
    QCOMPARE(Value("select count(*) from SetValue"), hv::DbValue(0));
}

void TestCDlgSetSens::unavailableDatabase() {
    m_env->RemoveDatabase();
    CDlgSetSens dialog;
    QVERIFY(ShowActive(dialog));
    QCOMPARE(dialog.Slider()->value(), 20);
    QCOMPARE(m_env->sink.messages, std::vector<std::string>{kConnectionError});
    dialog.SaveButton()->click();
    QCOMPARE(m_env->sink.messages, std::vector<std::string>(2, kConnectionError));
    QVERIFY(dialog.isVisible());
}

QTEST_MAIN(TestCDlgSetSens)
#include "tst_settingsSens.moc"
