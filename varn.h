#pragma once

#include "framework/Framework.h"

// The application: runs the main dialog modally and ends when it closes.
class CScanHelperApp : public CWinApp {
public:
    CScanHelperApp() = default;

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};
