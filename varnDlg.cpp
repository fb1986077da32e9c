#include "varnDlg.h"

#include "engine/ScanRun.h"
#include "platform/Win32InputServices.h"

namespace {

constexpr int HOTKEY_ID_SCAN = 100;

// Texts as the code page 936 bytes that the ANSI message box expects.

// "注册成功，（热键为“HOME”键）"
constexpr char kRegistered[] =
    "\xD7\xA2\xB2\xE1\xB3\xC9\xB9\xA6\xA3\xAC\xA3\xA8\xC8\xC8\xBC\xFC\xCE\xAA\xA1\xB0"
    "\x48\x4F\x4D\x45\xA1\xB1\xBC\xFC\xA3\xA9";

// "注册热键失败：HOME键已被其他程序占用"
constexpr char kRegisterFailed[] =
    "\xD7\xA2\xB2\xE1\xC8\xC8\xBC\xFC\xCA\xA7\xB0\xDC\xA3\xBA\x48\x4F\x4D\x45"
    "\xBC\xFC\xD2\xD1\xB1\xBB\xC6\xE4\xCB\xFB\xB3\xCC\xD0\xF2\xD5\xBC\xD3\xC3";

// "注销成功"
constexpr char kUnregistered[] = "\xD7\xA2\xCF\xFA\xB3\xC9\xB9\xA6";

}  // namespace

CScanHelperDlg::CScanHelperDlg(CWnd* pParent)
    : CDialog(IDD_SCANHELPER_DIALOG, pParent),
      m_nSpeed(2),
      m_hIcon(AfxGetApp()->LoadIcon(IDR_MAINFRAME))
{
}

void CScanHelperDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WAYBILL_EDIT, m_editWaybills);
    DDX_Radio(pDX, IDC_SPEED_FASTEST, m_nSpeed);
}

BEGIN_MESSAGE_MAP(CScanHelperDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_BN_CLICKED(IDC_REGISTER_HOTKEY, OnRegisterHotKey)
    ON_BN_CLICKED(IDC_UNREGISTER_HOTKEY, OnUnregisterHotKey)
    ON_WM_CLOSE()
    ON_BN_CLICKED(IDC_SPEED_FASTEST, OnSpeedFastest)
    ON_BN_CLICKED(IDC_SPEED_FAST, OnSpeedFast)
    ON_BN_CLICKED(IDC_SPEED_NORMAL, OnSpeedNormal)
    ON_BN_CLICKED(IDC_SPEED_SLOW, OnSpeedSlow)
    ON_MESSAGE(WM_HOTKEY, OnHotKey)
END_MESSAGE_MAP()

BOOL CScanHelperDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    // Windows' default limit of about 30,000 characters would cut a long pasted
    // list silently, and its tail would never be typed.
    m_editWaybills.SetLimitText(0);

    return TRUE;
}

// Enter and Esc must never close the tool.
void CScanHelperDlg::OnOK()
{
}

void CScanHelperDlg::OnCancel()
{
}

void CScanHelperDlg::OnPaint()
{
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);

        const int cxIcon = GetSystemMetrics(SM_CXICON);
        const int cyIcon = GetSystemMetrics(SM_CYICON);
        RECT rect;
        GetClientRect(&rect);
        const int x = (rect.right - rect.left - cxIcon + 1) / 2;
        const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;

        dc.DrawIcon(x, y, m_hIcon);
    } else {
        CDialog::OnPaint();
    }
}

HCURSOR CScanHelperDlg::OnQueryDragIcon()
{
    return m_hIcon;
}

void CScanHelperDlg::OnRegisterHotKey()
{
    // Our own earlier registration would make a second click fail.
    UnregisterHotKey(m_hWnd, HOTKEY_ID_SCAN);
    if (RegisterHotKey(m_hWnd, HOTKEY_ID_SCAN, 0, VK_HOME))
        MessageBox(kRegistered);
    else
        MessageBox(kRegisterFailed);
}

void CScanHelperDlg::OnUnregisterHotKey()
{
    MessageBox(kUnregistered);
    UnregisterHotKey(m_hWnd, HOTKEY_ID_SCAN);
}

void CScanHelperDlg::OnClose()
{
    EndDialog(IDCANCEL);
    CDialog::OnClose();
}

void CScanHelperDlg::OnSpeedFastest()
{
    m_nSpeed = 0;
}

void CScanHelperDlg::OnSpeedFast()
{
    m_nSpeed = 1;
}

void CScanHelperDlg::OnSpeedNormal()
{
    m_nSpeed = 2;
}

void CScanHelperDlg::OnSpeedSlow()
{
    m_nSpeed = 3;
}

LRESULT CScanHelperDlg::OnHotKey(WPARAM, LPARAM)
{
    CString text;
    m_editWaybills.GetWindowText(text);
    varn::Win32InputServices input(AfxGetAppName());
    varn::RunScan(input, m_nSpeed, text, m_hWnd);
    return 0;
}
