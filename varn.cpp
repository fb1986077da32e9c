#include "varn.h"

#include "varnDlg.h"

BEGIN_MESSAGE_MAP(CScanHelperApp, CWinApp)
    ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

// The one application object.
CScanHelperApp theApp;

BOOL CScanHelperApp::InitInstance()
{
    Enable3dControlsStatic();

    CScanHelperDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();

    // The dialog has closed: end the application rather than start a message loop.
    return FALSE;
}
