#pragma once

#include "platform/ui/WindowPositionStore.h"

#include <QHash>

namespace tarvo::ui {

// Window positions kept in memory, for tests and for runs that must not touch the INI file.
class MemoryWindowPositionStore final : public WindowPositionStore {
  public:
    std::optional<WindowPosition> load(const QString &section) const override;
    void save(const QString &section, const WindowPosition &position) override;

  private:
    QHash<QString, WindowPosition> m_positions; // by case-folded section, as INI sections compare
};

} // namespace tarvo::ui
