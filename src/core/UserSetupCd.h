#pragma once

#include "core/UserListsScreen.h"

namespace velmora {

// The CD styles and formats.
class TUserSetupCD : public UserListsScreen
{
    Q_OBJECT
public:
    explicit TUserSetupCD(Session &session, QWidget *parent = nullptr);
};

} // namespace velmora
