// CSigningApp: the control module's module object.
#pragma once

#include "platform/framework/ole_module.h"

class CSigningApp : public COleControlModule {
public:
    BOOL InitInstance() override;
    int ExitInstance() override;
};

extern CSigningApp theApp;
