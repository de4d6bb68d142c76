#pragma once

#include "platform/ui/WindowPositionStore.h"

#include <QString>

namespace tarvo::core::ui {

// Window positions in "Tarvo.INI": one section per procedure with "XPos", "YPos", "Width",
// "Height" and "Maximize".
class IniWindowPositionStore final : public tarvo::ui::WindowPositionStore {
  public:
    explicit IniWindowPositionStore(QString path) : m_path(std::move(path)) {}
    const QString &path() const { return m_path; }

    std::optional<tarvo::ui::WindowPosition> load(const QString &section) const override;
    void save(const QString &section, const tarvo::ui::WindowPosition &position) override;

  private:
    QString m_path;
};

} // namespace tarvo::core::ui
