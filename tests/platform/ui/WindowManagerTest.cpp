#include "platform/ui/WindowManager.h"

#include "platform/runtime/ContextRegistry.h"
#include "platform/runtime/RunOnce.h"
#include "platform/ui/MemoryWindowPositionStore.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>
#include <optional>
#include <vector>

using tarvo::Context;
using tarvo::ContextRegistry;
using tarvo::RunOnce;
using tarvo::ui::MemoryWindowPositionStore;
using tarvo::ui::WindowManager;
using tarvo::ui::WindowPosition;
namespace Events = tarvo::Events;
namespace Request = tarvo::Request;
namespace Response = tarvo::Response;

namespace {

void drain()
{
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        // Deletions asked for outside any event loop (a test calling close()) wait for this.
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// A window as the procedures build them: a widget with an OK button that completes the request,
// recording the events it did not handle itself and the requests its called procedures saw.
class TestWindow : public WindowManager {
  public:
    TestWindow(Context &context, const QString &name) : WindowManager(context, name)
    {
        auto *widget = new QWidget;
        widget->setWindowTitle(name);
        m_ok = new QPushButton(QStringLiteral("OK"), widget);
        m_ok->setObjectName(QStringLiteral("OK"));
        acceptOn(m_ok);
        setWindow(widget);
    }

    bool takeEvent(int event, const QVariant &data) override
    {
        if (WindowManager::takeEvent(event, data))
            return true;
        otherEvents.push_back(event);
        return true;
    }
    void takeAccepted(const QString &control) override
    {
        if (control == QStringLiteral("OK")) {
            setResponse(Response::Completed);
            close();
        }
    }

    QPushButton *m_ok = nullptr;
    std::vector<int> otherEvents;
    std::vector<int> requestsSeen;
    int responseToLeave = Response::Completed;

  protected:
    void runProcedure(int number, std::function<void()> finished) override
    {
        if (number == 1) { // a synchronous one: leaves its answer at once
            requestsSeen.push_back(context().threadRequest());
            context().setThreadResponse(responseToLeave);
            finished();
            return;
        }
        // A form on this window's context, window-modal to it.
        auto *form = new TestWindow(context(), QStringLiteral("UpdateThing"));
        lastForm = form;
        form->openModal(frame(), [finished](int) { finished(); });
    }

  public:
    QPointer<TestWindow> lastForm;
};

class Windows : public ::testing::Test {
  protected:
    void SetUp() override { WindowManager::setDefaultPositionStore(&positions); }
    void TearDown() override
    {
        WindowManager::setDefaultPositionStore(nullptr);
        for (int number : registry.numbers())
            registry.post(number, Events::CloseWindow);
        drain();
    }

    // Starts a window on a new context; null when it did not open.
    QPointer<TestWindow> start(const QString &name, RunOnce *once = nullptr, int request = Request::None)
    {
        QPointer<TestWindow> opened;
        auto number = registry.start([&](Context &c) {
            c.setThreadRequest(request);
            auto *w = new TestWindow(c, name);
            w->setRunOnce(once);
            if (w->open())
                opened = w;
        });
        EXPECT_TRUE(number.ok());
        drain();
        return opened;
    }

    ContextRegistry registry;
    MemoryWindowPositionStore positions;
    RunOnce once{registry}; // outlives the windows, as the program's slots do
};

} // namespace

TEST_F(Windows, CloseWindowEventClosesAndTheNextOpenComesBackWhereItWas)
{
    QPointer<TestWindow> w = start(QStringLiteral("BrowseCustomer"));
    ASSERT_TRUE(w);
    const int number = w->context().number();
    EXPECT_EQ(w->context().currentProcedure(), QStringLiteral("BrowseCustomer"));
    QPointer<QWidget> widget = w->window();
    ASSERT_TRUE(widget->isVisible());
    widget->setGeometry(120, 80, 500, 300);

    registry.post(number, Events::CloseWindow);
    drain();
    EXPECT_FALSE(w) << "a closed window is deleted with its manager";
    EXPECT_FALSE(widget);
    EXPECT_EQ(registry.context(number), nullptr) << "the context ends with its window";
    const std::optional<WindowPosition> saved = positions.load(QStringLiteral("browsecustomer"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->geometry, QRect(120, 80, 500, 300));

    QPointer<TestWindow> again = start(QStringLiteral("BrowseCustomer"));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->window()->geometry(), QRect(120, 80, 500, 300));
}

TEST_F(Windows, GainFocusRestoresAMinimisedWindowAndActivatesIt)
{
    QPointer<TestWindow> a = start(QStringLiteral("Options"));
    QPointer<TestWindow> b = start(QStringLiteral("UserSettings"));
    ASSERT_TRUE(a && b);
    a->window()->showMinimized();
    b->window()->activateWindow();
    drain();
    ASSERT_TRUE(a->window()->isMinimized());

    registry.post(a->context().number(), Events::GainFocus);
    drain();
    EXPECT_FALSE(a->window()->isMinimized());
    EXPECT_TRUE(a->window()->isVisible());
    EXPECT_EQ(QApplication::activeWindow(), a->window());
    EXPECT_TRUE(a->otherEvents.empty());
}

TEST_F(Windows, UserClosingTheWindowGoesThroughClose)
{
    QPointer<TestWindow> w = start(QStringLiteral("Feedback"));
    ASSERT_TRUE(w);
    std::optional<int> closedWith;
    QObject::connect(w, &WindowManager::closed, [&closedWith](int response) { closedWith = response; });
    const int number = w->context().number();
    w->window()->close();
    drain();
    EXPECT_EQ(closedWith, Response::Cancelled);
    EXPECT_EQ(registry.context(number), nullptr);
}

TEST_F(Windows, ADialogRejectedWithEscapeClosesThroughTheManager)
{
    Context &frame = registry.openFirst();
    auto *manager = new WindowManager(frame, QStringLiteral("About"));
    QPointer<QDialog> dialog = new QDialog;
    manager->setWindow(dialog);
    std::optional<int> answer;
    ASSERT_TRUE(manager->openModal(nullptr, [&answer](int response) { answer = response; }));
    EXPECT_TRUE(frame.hasReceiver());
    dialog->reject();
    drain();
    EXPECT_EQ(answer, Response::Cancelled);
    EXPECT_FALSE(frame.hasReceiver());
    EXPECT_FALSE(dialog);
    EXPECT_TRUE(positions.load(QStringLiteral("About")));
}

TEST_F(Windows, RunSetsTheRequestAndHandsBackTheResponse)
{
    QPointer<TestWindow> w = start(QStringLiteral("BrowseBugs"));
    ASSERT_TRUE(w);
    struct Case {
        int request;
        int leaves;
    };
    for (const Case c :
         {Case{Request::Insert, Response::Completed}, Case{Request::Change, Response::Cancelled},
          Case{Request::Select, Response::Completed}}) {
        w->responseToLeave = c.leaves;
        std::optional<int> answer;
        w->run(1, c.request, [&answer](int response) { answer = response; });
        EXPECT_EQ(w->requestsSeen.back(), c.request);
        EXPECT_EQ(answer, c.leaves);
    }
}

TEST_F(Windows, AWindowOpenedToViewRunsNothingAndAnswersCancelled)
{
    QPointer<TestWindow> w = start(QStringLiteral("UpdateBugs"), nullptr, Request::View);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->request(), Request::View);
    EXPECT_EQ(w->context().threadRequest(), Request::None)
        << "the request belongs to the window, not the cell";
    std::optional<int> answer;
    w->run(1, Request::Insert, [&answer](int response) { answer = response; });
    EXPECT_EQ(answer, Response::Cancelled);
    EXPECT_TRUE(w->requestsSeen.empty());
}

TEST_F(Windows, AFormFinishesThroughItsContinuationWithoutBlockingOtherWindows)
{
    QPointer<TestWindow> browse = start(QStringLiteral("BrowseBugs"));
    QPointer<TestWindow> other = start(QStringLiteral("BrowseCustomer"));
    ASSERT_TRUE(browse && other);
    const int browseNumber = browse->context().number();

    std::optional<int> answer;
    browse->run(2, Request::Insert, [&answer](int response) { answer = response; });
    QPointer<TestWindow> form = browse->lastForm;
    ASSERT_TRUE(form && form->isOpen());
    EXPECT_FALSE(answer) << "run returns while the form is open";
    EXPECT_EQ(form->request(), Request::Insert);
    EXPECT_EQ(form->window()->windowModality(), Qt::WindowModal);
    EXPECT_EQ(form->window()->parentWidget(), browse->window());
    EXPECT_EQ(browse->context().procedures(),
              (QStringList{QStringLiteral("BrowseBugs"), QStringLiteral("UpdateThing")}));

    // The other window goes on taking its events while the form is open.
    registry.post(other->context().number(), Events::SettingsChanged);
    drain();
    EXPECT_EQ(other->otherEvents, (std::vector<int>{Events::SettingsChanged}));

    // Events of the browse's context reach the form while it is open, and the browse after.
    registry.post(browseNumber, Events::Accepted, QStringLiteral("OK"));
    drain();
    EXPECT_EQ(answer, Response::Completed);
    EXPECT_FALSE(form);
    ASSERT_TRUE(browse && browse->isOpen());
    EXPECT_EQ(browse->context().procedures(), QStringList{QStringLiteral("BrowseBugs")});
    registry.post(browseNumber, Events::Refresh);
    drain();
    EXPECT_EQ(browse->otherEvents, (std::vector<int>{Events::Refresh}));
}

TEST_F(Windows, AFormClosedWithoutOkAnswersCancelled)
{
    QPointer<TestWindow> browse = start(QStringLiteral("BrowseBugs"));
    ASSERT_TRUE(browse);
    std::optional<int> answer;
    browse->run(2, Request::Change, [&answer](int response) { answer = response; });
    ASSERT_TRUE(browse->lastForm);
    registry.post(browse->context().number(), Events::CloseWindow);
    drain();
    EXPECT_EQ(answer, Response::Cancelled);
    EXPECT_TRUE(browse && browse->isOpen()) << "the close event took the form only";
}

TEST_F(Windows, AWindowClosingUnderItsFormTakesTheFormAlong)
{
    QPointer<TestWindow> browse = start(QStringLiteral("BrowseBugs"));
    ASSERT_TRUE(browse);
    const int number = browse->context().number();
    bool calledBack = false;
    browse->run(2, Request::Insert, [&calledBack](int) { calledBack = true; });
    QPointer<TestWindow> form = browse->lastForm;
    ASSERT_TRUE(form);
    browse->close();
    drain();
    EXPECT_FALSE(browse);
    EXPECT_FALSE(form);
    EXPECT_FALSE(calledBack) << "the caller was gone when its form ended";
    EXPECT_EQ(registry.context(number), nullptr);
}

TEST_F(Windows, ARunOnceWindowOpensOnceAndASecondStartBringsItForward)
{
    QPointer<TestWindow> first = start(QStringLiteral("BrowseEMailTemplates"), &once);
    ASSERT_TRUE(first);
    first->window()->showMinimized();
    drain();

    EXPECT_FALSE(start(QStringLiteral("BrowseEMailTemplates"), &once));
    EXPECT_FALSE(first->window()->isMinimized()) << "the running one was brought forward";
    EXPECT_EQ(registry.numbers(), QList<int>{first->context().number()});

    // A selection opens a second one beside it.
    QPointer<TestWindow> picker = start(QStringLiteral("BrowseEMailTemplates"), &once, Request::Select);
    ASSERT_TRUE(picker);
    picker->close();

    first->close();
    drain();
    EXPECT_EQ(once.number(), 0);
    EXPECT_TRUE(start(QStringLiteral("BrowseEMailTemplates"), &once));
}
