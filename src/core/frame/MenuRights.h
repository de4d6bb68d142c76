#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace tarvo::core {

class AccessServices;

// The frame's menu items that the access library may refuse: the item's control name (also its
// object name) and its rights key, in the order the keys are asked.
struct MenuRight final {
    QString control;
    QString rightsKey;
};

class MenuRights final {
  public:
    static const std::vector<MenuRight> &table();
    // Asks every key in order and hands each item's answer to apply (true: the user may use it).
    static void apply(AccessServices &access,
                      const std::function<void(const QString &control, bool allowed)> &apply);
};

} // namespace tarvo::core
