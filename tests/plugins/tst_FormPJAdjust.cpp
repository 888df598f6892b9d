#include <QtTest>

#include "CGeneralSlider.h"
#include "FormPJAdjust.h"
#include "FormPJAdjustDetail.h"
#include "GuiTestSupport.h"
#include "PluginTestSupport.h"
#include "QPushButtonEx.h"
#include "ui_FormPJAdjust.h"
#include "ui_FormPJAdjustDetail.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>

#include <memory>

namespace {

// The gain rows of the panel, top to bottom: the word in the object names,
// the name label's text, and the y of name label, buttons, slider, and value
// and relative labels.
const struct GainRow
{
    const char* word;
    const char* text;
    int nameY, buttonY, sliderY, valueY;
} GAIN_ROWS[] = {
    {"Contrast", "Contrast", 9, 27, 25, 27},     {"Brightness", "Brightness", 56, 74, 73, 75},
    {"Sharpness", "Sharpness", 103, 121, 120, 122}, {"Color", "Color", 150, 168, 167, 169},
    {"Hue", "Hue", 197, 215, 214, 216},           {"Volume", "Volume", 244, 262, 260, 262},
};

QString memberName(const char* member, const GainRow& row)
{
    const QString word = QString::fromLatin1(row.word);
    const bool volume = word == QLatin1String("Volume");
    const QString m = QString::fromLatin1(member);
    if (m == QLatin1String("name"))
        return volume ? QStringLiteral("lblAudioVolume") : QStringLiteral("lblPicture") + word;
    if (m == QLatin1String("dec"))
        return volume ? QStringLiteral("btnAudioDecVolume") : QStringLiteral("btnPictureDec") + word;
    if (m == QLatin1String("inc"))
        return volume ? QStringLiteral("btnAudioIncVolume") : QStringLiteral("btnPictureInc") + word;
    if (m == QLatin1String("slider"))
        return volume ? QStringLiteral("hSlideAudioVolume") : QStringLiteral("hSlidePicture") + word;
    if (m == QLatin1String("relative"))
        return QStringLiteral("lblRelative") + word;
    return volume ? QStringLiteral("lblParamAudioVolume") : QStringLiteral("lblParamPicture") + word;
}

QString textOf(QWidget* widget)
{
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    return QString();
}

// The slider palette: (group, role) -> colour.
const struct PaletteEntry
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    QRgb colour;
} SLIDER_PALETTE[] = {
    {QPalette::Active, QPalette::Button, qRgb(212, 208, 200)},     {QPalette::Active, QPalette::Window, qRgb(212, 208, 200)},
    {QPalette::Active, QPalette::Dark, qRgb(128, 128, 128)},       {QPalette::Active, QPalette::ButtonText, qRgb(0, 0, 0)},
    {QPalette::Active, QPalette::Shadow, qRgb(64, 64, 64)},        {QPalette::Inactive, QPalette::Button, qRgb(212, 208, 200)},
    {QPalette::Inactive, QPalette::Window, qRgb(212, 208, 200)},   {QPalette::Inactive, QPalette::Dark, qRgb(128, 128, 128)},
    {QPalette::Inactive, QPalette::ButtonText, qRgb(0, 0, 0)},     {QPalette::Inactive, QPalette::Shadow, qRgb(64, 64, 64)},
    {QPalette::Disabled, QPalette::Button, qRgb(212, 208, 201)},   {QPalette::Disabled, QPalette::Window, qRgb(212, 208, 201)},
    {QPalette::Disabled, QPalette::Dark, qRgb(208, 208, 208)},     {QPalette::Disabled, QPalette::ButtonText, qRgb(212, 208, 201)},
    {QPalette::Disabled, QPalette::Shadow, qRgb(121, 119, 115)},
};

// The first entry of the slider palette a slider lacks; empty when it has them all.
QString paletteMismatch(QSlider* slider)
{
    for (const PaletteEntry& entry : SLIDER_PALETTE) {
        const QColor colour = slider->palette().color(entry.group, entry.role);
        if (colour.rgba() != entry.colour)
            return QStringLiteral("%1: group %2 role %3 is %4").arg(slider->objectName()).arg(entry.group)
                .arg(entry.role).arg(colour.name());
    }
    return QString();
}

} // namespace

// The adjustment panel's layout and its construction, and the detail dialog.
class tst_FormPJAdjust : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
        GuiTestSupport::InstallEnglishCatalogue();
    }

    void theGainRowsStandWhereTheyShould_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        for (const GainRow& row : GAIN_ROWS) {
            const auto add = [&](const char* member, const char* className, QRect geometry, const QString& text) {
                QTest::addRow("%s %s", row.word, member) << memberName(member, row) << className << geometry << text;
            };
            add("name", "QLabel", QRect(9, row.nameY, 263, 16), QString::fromLatin1(row.text));
            add("dec", "QPushButtonEx", QRect(9, row.buttonY, 25, 23), QStringLiteral("-"));
            add("inc", "QPushButtonEx", QRect(40, row.buttonY, 25, 23), QStringLiteral("+"));
            add("slider", "CGeneralSlider", QRect(71, row.sliderY, 110, 25), QString());
            add("relative", "QLabel", QRect(70, row.valueY, 110, 20), QStringLiteral("Relative value"));
            add("value", "QLabel", QRect(190, row.valueY, 50, 24), QStringLiteral("0"));
        }
    }
    void theGainRowsStandWhereTheyShould()
    {
        QFETCH(QString, name);
        QFETCH(QString, className);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        FormPJAdjust form;
        auto* frame = form.findChild<QFrame*>(QStringLiteral("frame_2"));
        QVERIFY(frame);
        QWidget* widget = frame->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
        QVERIFY(widget);
        QCOMPARE(widget->metaObject()->className(), qPrintable(className));
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(textOf(widget), text);
    }

    void theFrameHoldsTheSixRowsAlone()
    {
        FormPJAdjust form;
        auto* frame = form.findChild<QFrame*>(QStringLiteral("frame_2"));
        QStringList expected;
        for (const GainRow& row : GAIN_ROWS) {
            for (const char* member : {"name", "dec", "inc", "slider", "relative", "value"})
                expected << memberName(member, row);
        }
        QStringList found;
        for (QWidget* child : frame->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            found << child->objectName();
        expected.sort();
        found.sort();
        QCOMPARE(found, expected);
        QVERIFY(!frame->layout());
        QCOMPARE(frame->minimumSize(), QSize(498, 295));
        QCOMPARE(frame->sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
        QCOMPARE(frame->frameShape(), QFrame::NoFrame);
        // Every slider reads 0 to 100 from 0; the contrast value sits left.
        for (CGeneralSlider* slider : frame->findChildren<CGeneralSlider*>()) {
            QCOMPARE(slider->orientation(), Qt::Horizontal);
            QCOMPARE(slider->minimum(), 0);
            QCOMPARE(slider->maximum(), 100);
            QCOMPARE(slider->value(), 0);
            QCOMPARE(slider->minimumSize(), QSize(110, 25));
            QCOMPARE(slider->maximumSize(), QSize(110, 25));
        }
        QCOMPARE(form.ui->lblParamPictureContrast->alignment(), Qt::AlignLeft | Qt::AlignVCenter);
        QCOMPARE(form.ui->lblRelativeContrast->frameShape(), QFrame::Box);
        QCOMPARE(form.ui->lblRelativeHue->frameShape(), QFrame::Panel);
        QVERIFY(form.ui->lblRelativeVolume->font().bold());
        QCOMPARE(form.ui->lblRelativeVolume->alignment(), Qt::AlignCenter);
    }

    void theSlidersShareOnePalette()
    {
        FormPJAdjust form;
        QStringList names;
        for (const GainRow& row : GAIN_ROWS)
            names << memberName("slider", row);
        names << QStringLiteral("hSlideAudioVolume_2");
        for (const QString& name : names) {
            auto* slider = form.findChild<QSlider*>(name);
            QVERIFY2(slider, qPrintable(name));
            const QString mismatch = paletteMismatch(slider);
            QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        }
    }

    void theButtonsAndPagesAroundTheRows()
    {
        FormPJAdjust form;
        QCOMPARE(form.objectName(), QStringLiteral("FormPJAdjust"));
        QCOMPARE(form.size(), QSize(709, 550));
        QCOMPARE(form.windowTitle(), QStringLiteral("Adjustment"));
        QCOMPARE(form.ui->tabWidget->tabPosition(), QTabWidget::South);
        QCOMPARE(form.ui->tabWidget->tabText(0), QStringLiteral("Adjustment"));
        QCOMPARE(form.ui->tabWidget->tabText(1), QStringLiteral("Page"));
        QCOMPARE(form.ui->tabWidgetAdjust->geometry(), QRect(20, 30, 522, 355));
        QCOMPARE(form.ui->tabAdjust->geometry(), QRect(20, 60, 381, 301));
        const struct
        {
            QPushButton* button;
            const char* text;
        } buttons[] = {{form.ui->pushButtonUpdate, "R&efresh"}, {form.ui->pushButtonReset, "&Reset"}};
        for (const auto& entry : buttons) {
            QCOMPARE(entry.button->text(), QString::fromLatin1(entry.text));
            QCOMPARE(entry.button->minimumWidth(), 111);
            QCOMPARE(entry.button->maximumWidth(), 111);
            QVERIFY(entry.button->autoFillBackground());
        }
        // The constructor shows the rows and the two buttons only.
        for (QLabel* label : form.ui->frame_2->findChildren<QLabel*>()) {
            if (label->objectName().startsWith(QLatin1String("lblRelative")))
                QVERIFY2(label->isHidden(), qPrintable(label->objectName()));
        }
        QCOMPARE(form.ui->tabAdjust->count(), 1);
        QCOMPARE(form.ui->tabAdjust->widget(0), form.ui->tabPicture);
        QVERIFY(form.ui->tabAdjust->isHidden());
        QVERIFY(form.ui->frame->isHidden());
        // Its two timers wait, stopped: 100 ms repeating, 100 ms once.
        QStringList timers;
        for (QTimer* timer : form.findChildren<QTimer*>(QString(), Qt::FindDirectChildrenOnly))
            timers << QStringLiteral("%1 %2 %3").arg(timer->interval()).arg(timer->isSingleShot()).arg(timer->isActive());
        timers.sort();
        QCOMPARE(timers, (QStringList{"100 0 0", "100 1 0"}));
    }

    void tabGoesThroughTheRowsThenTheButtons()
    {
        FormPJAdjust form;
        QList<QWidget*> expected{form.ui->tabWidget};
        for (const GainRow& row : GAIN_ROWS) {
            for (const char* member : {"dec", "inc", "slider"})
                expected << form.findChild<QWidget*>(memberName(member, row));
        }
        expected << form.ui->pushButtonUpdate << form.ui->pushButtonReset;
        QList<QWidget*> chain;
        QWidget* widget = form.ui->tabWidget;
        do {
            if (expected.contains(widget))
                chain << widget;
            widget = widget->nextInFocusChain();
        } while (widget != form.ui->tabWidget && chain.size() <= expected.size());
        QCOMPARE(chain, expected);
    }

    void theFormKeepsAGivenName_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("expected");
        QTest::newRow("unnamed") << "" << "FormPJAdjust";
        QTest::newRow("named") << "panel" << "panel";
    }
    void theFormKeepsAGivenName()
    {
        QFETCH(QString, given);
        QFETCH(QString, expected);
        QWidget form;
        form.setObjectName(given);
        Ui_FormPJAdjust ui;
        ui.setupUi(&form);
        QCOMPARE(form.objectName(), expected);
        QCOMPARE(ui.tabWidget->currentIndex(), 0);
        QCOMPARE(ui.tabAdjust->currentIndex(), 0);
        QCOMPARE(ui.tabAdjust->count(), 5);
    }

    void translatingAgainAddsNoItems()
    {
        QWidget plain;
        Ui_FormPJAdjust ui;
        ui.setupUi(&plain);
        ui.retranslateUi(&plain);
        ui.retranslateUi(&plain);
        QCOMPARE(ui.cmbPreset->count(), 1);
        QCOMPARE(ui.cmbImageOverscan->count(), 1);
        QCOMPARE(ui.cmbImageAspect->count(), 1);
        QCOMPARE(ui.cmbImageAspect->itemText(0), QStringLiteral("4:3 Window"));
        QStringList titles;
        for (int i = 0; i < ui.tabAdjust->count(); ++i)
            titles << ui.tabAdjust->tabText(i);
        QCOMPARE(titles, (QStringList{"Picture", "Picture2", "Image Options", "Video", "Audio"}));

        // With the panel's four pages removed it titles the one left, quietly.
        FormPJAdjust form;
        TraceRecorder trace("lumivox.plugins.adjust");
        form.ui->retranslateUi(&form);
        QCOMPARE(trace.m_Warnings, QStringList());
        QCOMPARE(form.ui->tabAdjust->count(), 1);
        QCOMPARE(form.ui->tabAdjust->tabText(0), QStringLiteral("Picture"));
        QCOMPARE(form.ui->cmbPreset->count(), 1);
    }

    void aShownRelativeLabelCoversItsSlider()
    {
        FormPJAdjust form;
        for (const GainRow& row : GAIN_ROWS) {
            auto* slider = form.findChild<QSlider*>(memberName("slider", row));
            auto* relative = form.findChild<QLabel*>(memberName("relative", row));
            const QPoint centre = slider->geometry().center();
            QCOMPARE(form.ui->frame_2->childAt(centre), static_cast<QWidget*>(slider));
            relative->show();
            QCOMPARE(form.ui->frame_2->childAt(centre), static_cast<QWidget*>(relative));
        }
    }

    // The slots named after the form's widgets find them all (the detail
    // button's is seen to open the dialog below).
    void theNamedSlotsBindQuietly()
    {
        TraceRecorder trace("lumivox.plugins.adjust");
        FormPJAdjust form;
        QCOMPARE(trace.m_Warnings, QStringList());
    }

    void theDetailDialogShowsItsControls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("reference") << "lblRefer" << "Reference";
        QTest::newRow("gamma") << "lblGammaCorrection" << "Gamma Correction";
        QTest::newRow("colour temperature") << "lblColorTemperature" << "ColorTemperature";
        QTest::newRow("white balance") << "lblWhiteBalance" << "White Balance";
        const char* const channels[][2] = {{"ContrastRed", "Contrast R"},     {"ContrastGreen", "Contrast G"},
                                           {"ContrastBlue", "Contrast B"},    {"BrightnessRed", "Brightness R"},
                                           {"BrightnessGreen", "Brightness G"}, {"BrightnessBlue", "Brightness B"}};
        for (const auto& channel : channels) {
            const QString word = QString::fromLatin1(channel[0]);
            QTest::addRow("%s caption", channel[0]) << "lbl" + word << channel[1];
            QTest::addRow("%s down", channel[0]) << "btnDec" + word << "<<";
            QTest::addRow("%s up", channel[0]) << "btnInc" + word << ">>";
            QTest::addRow("%s value", channel[0]) << "lblParam" + word << "0";
            QTest::addRow("%s slider", channel[0]) << "hSlide" + word << "";
        }
    }
    void theDetailDialogShowsItsControls()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        FormPJAdjustDetail dialog;
        QCOMPARE(dialog.objectName(), QStringLiteral("FormPJAdjustDetail"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Dialog"));
        QCOMPARE(dialog.size(), QSize(533, 268));
        QWidget* widget = dialog.findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(textOf(widget), text);
        if (auto* slider = qobject_cast<QSlider*>(widget)) {
            QCOMPARE(slider->maximum(), 100);
            QCOMPARE(slider->maximumWidth(), 120);
            QCOMPARE(slider->minimumHeight(), 25);
            const QString mismatch = paletteMismatch(slider);
            QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        } else if (qobject_cast<QPushButton*>(widget)) {
            QCOMPARE(widget->maximumWidth(), 25);
        } else if (name.startsWith(QLatin1String("lblParam"))) {
            QCOMPARE(widget->minimumWidth(), 60);
        }
        for (QComboBox* combo : dialog.findChildren<QComboBox*>())
            QCOMPARE(combo->count(), 0);
    }

    void theDetailDialogChangesNothingOutsideItself()
    {
        FormPJAdjustDetail dialog;
        for (QSlider* slider : dialog.findChildren<QSlider*>())
            slider->setValue(slider->value() + 40);
        for (QPushButton* button : dialog.findChildren<QPushButton*>())
            button->click();
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->objectName().startsWith(QLatin1String("lblParam")))
                QCOMPARE(label->text(), QStringLiteral("0"));
        }
    }

    void theDetailButtonOpensOneDialogAgainAndAgain()
    {
        FormPJAdjust form;
        QPointer<QWidget> first;
        int flags = 0;
        bool modal = false;
        GuiTestSupport::OnNextPopup([&](QWidget* shown) {
            first = shown;
            flags = int(shown->windowFlags());
            modal = shown->isModal();
            shown->findChild<QSlider*>(QStringLiteral("hSlideContrastGreen"))->setValue(42);
            static_cast<QDialog*>(shown)->reject();
        });
        emit form.ui->btnDetail->pressed();
        QVERIFY(first);
        QVERIFY(qobject_cast<FormPJAdjustDetail*>(first));
        QCOMPARE(first->parent(), &form);
        // Asked for as dialog with a title (0x1003); Qt gives a titled window its system menu.
        QCOMPARE(flags, 0x1003 | int(Qt::WindowSystemMenuHint));
        QVERIFY(modal);

        QPointer<QWidget> second;
        int kept = -1;
        GuiTestSupport::OnNextPopup([&](QWidget* shown) {
            second = shown;
            kept = shown->findChild<QSlider*>(QStringLiteral("hSlideContrastGreen"))->value();
            static_cast<QDialog*>(shown)->reject();
        });
        emit form.ui->btnDetail->pressed();
        QCOMPARE(second.data(), first.data());
        QCOMPARE(kept, 42);
        QCOMPARE(form.findChildren<FormPJAdjustDetail*>().size(), 1);
    }
};

QTEST_MAIN(tst_FormPJAdjust)
#include "tst_FormPJAdjust.moc"
