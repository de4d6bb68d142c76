#pragma once

#include <QString>

#include <functional>
#include <memory>

class QMenu;

namespace tarvo::core::ui {

// The frame's icon in the desktop's notification area. Mouse actions on the icon become the tray
// events (1089 to 1093) through the event sink, which posts them to the frame's context.
class TrayIcon {
  public:
    using EventSink = std::function<void(int event)>;
    using Factory = std::function<std::unique_ptr<TrayIcon>()>;

    virtual ~TrayIcon() = default;

    // Shows the icon; false when the desktop refused it (then there is no icon, and no message).
    virtual bool addIcon(const QString &tip, const QString &icon) = 0;
    virtual void removeIcon() = 0;
    // Opens the popup menu at the icon.
    virtual void popup(QMenu &menu) = 0;

    void setEventSink(EventSink sink) { m_sink = std::move(sink); }

    // The icon of this desktop, or null when it has no notification area (offscreen, for one).
    static std::unique_ptr<TrayIcon> create();
    // Replaces what create() makes (tests); an empty factory restores the desktop's.
    static void setFactory(Factory factory);

    // A "." four characters from the end becomes "_": "tarvo.ico" is the resource "tarvo_ico".
    static QString resourceName(const QString &icon);

  protected:
    void post(int event) const
    {
        if (m_sink)
            m_sink(event);
    }

  private:
    EventSink m_sink;
};

} // namespace tarvo::core::ui
