// The main form: its controls, layout, list, focus, keys and window menu.

#include <gtest/gtest.h>

#include <algorithm>

#include <QContextMenuEvent>
#include <QGroupBox>
#include <QImage>
#include <QMenu>

#include "calc/calculate_command.h"
#include "platform/window/qt/dialog_units.h"
#include "platform/window/qt/dialog_window.h"
#include "res/resource_ids.h"
#include "tests/support/qt/form_controls.h"
#include "tests/support/qt/modal_watch.h"
#include "tests/support/qt/recording_form.h"
#include "ui/about_dlg.h"

namespace korvel::test {
namespace {

using namespace korvel::res;

constexpr int kStepsDone = 0x5D;

struct ModalRun {
  int result;
  bool watchdogFired;
};

// Runs the form modally, performs `steps` inside its loop and returns how the
// loop ended. Steps that leave the form open end it with kStepsDone.
ModalRun runModal(CDialog& form, const std::function<void()>& steps) {
  ModalWatchdog watchdog;
  QTimer::singleShot(0, &qtWindow(form), [&form, &steps] {
    qtWindow(form).activateWindow();
    (void)QTest::qWaitForWindowActive(&qtWindow(form), 2000);
    steps();
    if (qtWindow(form).isVisible()) form.EndDialog(kStepsDone);
  });
  const int result = form.DoModal();
  return {result, watchdog.fired()};
}

TEST(MainForm, ShowsEveryControlWithItsText) {
  CTimeHistoryDlg form;
  form.Create();
  EXPECT_EQ(qtWindow(form).windowTitle(), "korvel    ver 1.0");

  struct Case {
    int id;
    const char* text;
    bool isDefault;
  };
  for (const Case& c : {Case{IDOK, "Calculate Time History", true}, Case{IDCANCEL, "Exit", false}}) {
    SCOPED_TRACE(c.id);
    QPushButton* b = button(form, c.id);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->text(), c.text);
    EXPECT_EQ(b->isDefault(), c.isDefault);
  }
  for (int id : {IDC_AMPLITUDE, IDC_DELAY, IDC_DURATION, IDC_FREQUENCY, IDC_SAMPLES_PER_SECOND}) {
    SCOPED_TRACE(id);
    ASSERT_NE(field(form, id), nullptr);
    EXPECT_TRUE(field(form, id)->text().isEmpty());
    EXPECT_GE(field(form, id)->maxLength(), 1000000) << "a field has no length limit of its own";
  }
  ASSERT_NE(halfSineList(form), nullptr);
  EXPECT_NE(labelWithText(form, "korvel"), nullptr);
}

TEST(MainForm, EachLabelStandsLeftOfItsFieldOnTheSameLine) {
  CTimeHistoryDlg form;
  form.Create();
  struct Case {
    const char* label;
    int id;
  };
  const Case cases[] = {{"Amplitude", IDC_AMPLITUDE},
                        {"Frequency (Hz)", IDC_FREQUENCY},
                        {"Number of Half-Sine", IDC_HALF_SINES},
                        {"Delay (sec)", IDC_DELAY},
                        {"Total Duration (sec)", IDC_DURATION},
                        {"Samples per second", IDC_SAMPLES_PER_SECOND}};
  int previousTop = -1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    QLabel* label = labelWithText(form, c.label);
    QWidget* control = qtControl(form, c.id);
    ASSERT_NE(label, nullptr);
    ASSERT_NE(control, nullptr);
    const QRect l = label->geometry();
    const QRect f = control->geometry();
    EXPECT_LT(l.left(), f.left());
    EXPECT_LE(l.right(), f.left()) << "the label runs into its field";
    EXPECT_GE(l.center().y(), f.top());
    EXPECT_LE(l.center().y(), f.bottom());
    EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()) - 2)
        << "the label's text is cut off";
    EXPECT_GT(f.top(), previousTop) << "read top to bottom in this order";
    previousTop = f.top();
  }
}

TEST(MainForm, GroupBoxFramesTheInputsAndLetsClicksThrough) {
  RecordingForm form;
  showActive(form);
  QGroupBox* group = nullptr;
  for (QWidget* control : qtWindow(form).controls()) {
    if (auto* g = dynamic_cast<QGroupBox*>(control)) group = g;
  }
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->title(), "Enter");
  for (int id : {IDC_AMPLITUDE, IDC_DELAY, IDC_HALF_SINES, IDC_DURATION, IDC_FREQUENCY, IDC_SAMPLES_PER_SECOND}) {
    SCOPED_TRACE(id);
    QWidget* control = qtControl(form, id);
    EXPECT_TRUE(group->geometry().contains(control->geometry()));
    EXPECT_NE(qtWindow(form).childAt(control->geometry().center()), group) << "the group box lies on top";
  }
  // A click in the amplitude field (created before the group box) reaches it.
  QTest::mouseClick(field(form, IDC_AMPLITUDE), Qt::LeftButton);
  EXPECT_TRUE(field(form, IDC_AMPLITUDE)->hasFocus());
}

TEST(MainForm, MeasuresInDialogUnitsOfItsTenPointSansFont) {
  CTimeHistoryDlg form;
  form.Create();
  const QFont font = qtWindow(form).font();
  EXPECT_EQ(font.family(), nearestSansSerifFamily());
  EXPECT_EQ(font.pointSize(), 10);

  const QFontMetrics metrics(font);
  const int averageWidth =
      (metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 26 + 1) / 2;
  const int height = metrics.height();
  auto x = [&](int units) { return (units * averageWidth * 2 + 4) / 8; };  // rounded, all positive
  auto y = [&](int units) { return (units * height + 4) / 8; };

  EXPECT_EQ(qtWindow(form).minimumSize(), qtWindow(form).maximumSize()) << "fixed size";
  EXPECT_EQ(qtWindow(form).size(), QSize(x(320), y(228)));
  EXPECT_EQ(button(form, IDOK)->geometry(), QRect(x(216), y(72), x(216 + 83) - x(216), y(72 + 14) - y(72)));
  EXPECT_EQ(halfSineList(form)->geometry(), QRect(x(121), y(97), x(121 + 28) - x(121), y(97 + 30) - y(97)));
  EXPECT_FALSE(qtWindow(form).windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(qtWindow(form).windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
}

// Fixed-size dialogs: no minimise or maximise box, and a request to maximise or
// fill the screen leaves them where and as large as they were.
TEST(MainForm, FormAndAboutBoxKeepTheirSizeAndPlace) {
  CTimeHistoryDlg form;
  CAboutDlg about;
  for (CDialog* shown : std::initializer_list<CDialog*>{&form, &about}) {
    QDialog* dialog = &qtWindow(*shown);
    SCOPED_TRACE(dialog->windowTitle().toStdString());
    showActive(*shown);
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    EXPECT_FALSE(dialog->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    const QRect before = dialog->geometry();
    for (Qt::WindowState state : {Qt::WindowFullScreen, Qt::WindowMaximized}) {
      dialog->setWindowState(state);
      QApplication::processEvents();
      EXPECT_EQ(dialog->windowState(), Qt::WindowNoState) << state;
      EXPECT_EQ(dialog->geometry(), before) << state;
    }
    dialog->showFullScreen();
    QApplication::processEvents();
    EXPECT_EQ(dialog->geometry(), before);
    dialog->hide();
  }
}

TEST(MainForm, StartsWithFocusOnCalculateAndTabsInTemplateOrder) {
  CTimeHistoryDlg form;
  showActive(form);
  EXPECT_EQ(QApplication::focusWidget(), button(form, IDOK));

  const int expected[] = {IDCANCEL,      IDC_AMPLITUDE,          IDC_DELAY, IDC_HALF_SINES, IDC_DURATION,
                          IDC_FREQUENCY, IDC_SAMPLES_PER_SECOND, IDOK};
  for (int id : expected) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), qtControl(form, id)) << "after Tab, expected control " << id;
  }
}

// A keyboard user sees where the focus is: a button or the list looks different
// with the focus than with the focus in a field.
TEST(MainForm, FocusedButtonOrListShowsAFocusFrame) {
  CTimeHistoryDlg form;
  showActive(form);
  auto tabTo = [&form](QWidget* target) {
    for (int i = 0; i < 10 && QApplication::focusWidget() != target; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    ASSERT_EQ(QApplication::focusWidget(), target);
  };
  for (int id : {IDOK, IDCANCEL, IDC_HALF_SINES}) {
    SCOPED_TRACE(id);
    QWidget* control = qtControl(form, id);
    const QRect around = control->geometry().adjusted(-4, -4, 4, 4);
    tabTo(control);
    const QImage focused = qtWindow(form).grab(around).toImage();
    tabTo(field(form, IDC_AMPLITUDE));
    const QImage elsewhere = qtWindow(form).grab(around).toImage();
    ASSERT_EQ(elsewhere.size(), focused.size());
    // The pixels that change clearly, not by a shade.
    int changed = 0;
    for (int y = 0; y < focused.height(); ++y) {
      for (int x = 0; x < focused.width(); ++x) {
        if (std::abs(qGray(focused.pixel(x, y)) - qGray(elsewhere.pixel(x, y))) >= 64) ++changed;
      }
    }
    // A dotted outline round even one line of text changes some fifty pixels.
    EXPECT_GE(changed, 40);
  }
}

TEST(MainForm, ListsHalfSineCountsInNumericOrderWithThreeSelected) {
  CTimeHistoryDlg form;
  form.Create();
  QListWidget* list = halfSineList(form);
  ASSERT_EQ(list->count(), 11);
  for (int k = 0; k < list->count(); ++k) {
    EXPECT_EQ(list->item(k)->text(), QString::number(3 + 2 * k));
    EXPECT_EQ(list->item(k)->text().toInt(), halfSineCountForIndex(k)) << "label and count of entry " << k;
  }
  EXPECT_EQ(list->currentRow(), 0);
  EXPECT_EQ(list->selectedItems().size(), 1);
  EXPECT_EQ(form.selectedHalfSineIndex(), 0);
}

TEST(MainForm, EnterInAFieldOrTheListRunsTheCalculation) {
  for (int id : {IDC_AMPLITUDE, IDC_SAMPLES_PER_SECOND, IDC_HALF_SINES}) {
    SCOPED_TRACE(id);
    RecordingForm form;
    const ModalRun run = runModal(form, [&form, id] {
      QWidget* control = qtControl(form, id);
      control->setFocus();
      QTest::keyClick(control, Qt::Key_Return);
    });
    EXPECT_FALSE(run.watchdogFired);
    EXPECT_EQ(run.result, kStepsDone) << "the form stays open after a calculation";
    // Every field empty reads as 0: frequency 0 needs an endless duration.
    EXPECT_EQ(form.messages, std::vector<std::string>{" Warning: Recommended duration >      inf"});
    EXPECT_EQ(form.saveDialogs, 0);
  }
}

TEST(MainForm, EscapeExitAndTheCloseBoxEndTheModalRun) {
  struct Case {
    const char* name;
    std::function<void(CDialog&)> act;
  };
  const Case cases[] = {
      {"Escape in a field", [](CDialog& f) { QTest::keyClick(qtControl(f, IDC_DELAY), Qt::Key_Escape); }},
      {"Escape in the list", [](CDialog& f) { QTest::keyClick(qtControl(f, IDC_HALF_SINES), Qt::Key_Escape); }},
      {"Exit clicked", [](CDialog& f) { QTest::mouseClick(qtControl(f, IDCANCEL), Qt::LeftButton); }},
      {"Enter on Exit",
       [](CDialog& f) {
         qtControl(f, IDCANCEL)->setFocus();
         QTest::keyClick(qtControl(f, IDCANCEL), Qt::Key_Return);
       }},
      {"close box", [](CDialog& f) { qtWindow(f).close(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingForm form;
    const ModalRun run = runModal(form, [&] { c.act(form); });
    EXPECT_FALSE(run.watchdogFired);
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_TRUE(form.messages.empty()) << "nothing was calculated";
  }
}

TEST(MainForm, WindowMenuOpensTheAboutBoxAndLeavesTheFormAsItWas) {
  struct Case {
    const char* name;
    std::function<void(CDialog&)> open;
  };
  const Case cases[] = {
      {"Shift+F10", [](CDialog& f) { QTest::keyClick(qtControl(f, IDOK), Qt::Key_F10, Qt::ShiftModifier); }},
      {"Menu key in the list", [](CDialog& f) { QTest::keyClick(qtControl(f, IDC_HALF_SINES), Qt::Key_Menu); }},
      {"right click on the form",
       [](CDialog& f) { QTest::mouseClick(qtWindow(f).windowHandle(), Qt::RightButton, {}, QPoint(5, 5)); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingForm form;
    QStringList entries;
    QWidget* aboutOwner = nullptr;
    QString aboutTitle;
    const ModalRun run = runModal(form, [&] {
      QTest::keyClicks(field(form, IDC_FREQUENCY), "10");
      halfSineList(form)->setCurrentRow(2);
      whenOnTop<QMenu>([&](QMenu& menu) {
        QAction* about = nullptr;
        for (QAction* action : menu.actions()) {
          entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
          if (action->data().toInt() == IDM_ABOUTBOX) about = action;
        }
        if (about == nullptr) {
          menu.close();
          return;
        }
        menu.setActiveAction(about);
        QTest::keyClick(&menu, Qt::Key_Return);
      });
      whenOnTop<CAboutDlg>([&](CAboutDlg& box) {
        aboutOwner = qtWindow(box).parentWidget();
        aboutTitle = qtWindow(box).windowTitle();
        QTest::mouseClick(qtControl(box, IDOK), Qt::LeftButton);
      });
      c.open(form);
    });
    EXPECT_FALSE(run.watchdogFired);
    EXPECT_EQ(run.result, kStepsDone) << "closing the About box leaves the form open";
    EXPECT_EQ(entries, (QStringList{"&Close\tAlt+F4", "-", "&About korvel..."}));
    EXPECT_EQ(aboutOwner, &qtWindow(form));
    EXPECT_EQ(aboutTitle, "About korvel");
    EXPECT_EQ(form.fieldText(IDC_FREQUENCY), "10");
    EXPECT_EQ(form.selectedHalfSineIndex(), 2);
  }
}

// The Menu key arrives as a key press, and on X11 first as a context-menu
// request from the keyboard; either way the menu opens at the focused control.
TEST(MainForm, MenuKeyOpensTheWindowMenuAtTheFocusedControl) {
  const std::pair<const char*, std::function<void(QWidget*)>> presses[] = {
      {"key press", [](QWidget* control) { QTest::keyClick(control, Qt::Key_Menu); }},
      {"context-menu request",
       [](QWidget* control) {
         QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(), control->mapToGlobal(QPoint()));
         QApplication::sendEvent(control, &request);
       }},
  };
  for (int id : {IDC_HALF_SINES, IDOK, IDCANCEL}) {
    for (const auto& [how, press] : presses) {
      SCOPED_TRACE(std::to_string(id) + " " + how);
      RecordingForm form;
      QRect control;
      QPoint menuAt;
      const ModalRun run = runModal(form, [&, press = press] {
        QWidget* focused = qtControl(form, id);
        focused->setFocus();
        control = QRect(focused->mapToGlobal(QPoint()), focused->size());
        whenOnTop<QMenu>([&](QMenu& menu) {
          menuAt = menu.pos();
          menu.close();
        });
        press(focused);
      });
      EXPECT_FALSE(run.watchdogFired);
      EXPECT_TRUE(control.adjusted(0, 0, 0, 1).contains(menuAt)) << menuAt.x() << "," << menuAt.y();
    }
  }
}

}  // namespace
}  // namespace korvel::test
