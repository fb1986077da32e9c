#include "Framework.h"

#include <algorithm>
#include <cstring>

namespace {

struct TemplateHeader {
    DWORD style;
    short x;
    short y;
};

// The style and position of a dialog template, plain or extended.
TemplateHeader ReadTemplateHeader(const BYTE* bytes)
{
    WORD version = 0;
    WORD signature = 0;
    std::memcpy(&version, bytes, sizeof version);
    std::memcpy(&signature, bytes + 2, sizeof signature);
    const bool extended = version == 1 && signature == 0xFFFF;
    TemplateHeader header{};
    std::memcpy(&header.style, bytes + (extended ? 12 : 0), sizeof header.style);
    std::memcpy(&header.x, bytes + (extended ? 18 : 10), sizeof header.x);
    std::memcpy(&header.y, bytes + (extended ? 20 : 12), sizeof header.y);
    return header;
}

bool IsMultiLineEdit(HWND hWnd)
{
    char className[16] = {};
    return ::GetClassNameA(hWnd, className, sizeof className) > 0 &&
           ::lstrcmpiA(className, "Edit") == 0 &&
           (::GetWindowLongPtrA(hWnd, GWL_STYLE) & ES_MULTILINE) != 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_MESSAGE(WM_HELP, OnHelpInfo)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent)
{
}

INT_PTR CDialog::DoModal()
{
    const HINSTANCE instance =
        AfxGetApp() != nullptr ? AfxGetApp()->m_hInstance : ::GetModuleHandleA(nullptr);
    const HRSRC resource = ::FindResourceA(instance, MAKEINTRESOURCEA(m_nIDTemplate), RT_DIALOG);
    const HGLOBAL loaded = resource != nullptr ? ::LoadResource(instance, resource) : nullptr;
    const auto* bytes = loaded != nullptr ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
    if (bytes == nullptr)
        return -1;
    const TemplateHeader header = ReadTemplateHeader(bytes);
    m_centerOnInit = header.x == 0 && header.y == 0 && (header.style & DS_CENTER) == 0;

    const HWND owner = m_pParentWnd != nullptr ? m_pParentWnd->GetSafeHwnd() : nullptr;
    m_endModal = false;
    m_modalResult = -1;
    // Modeless creation and a loop of our own, so that every message passes
    // PreTranslateMessage first.
    if (::CreateDialogIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(bytes), owner,
                                     &DialogProc, reinterpret_cast<LPARAM>(this)) == nullptr)
        return -1;
    const bool ownerWasEnabled = owner != nullptr && !::EnableWindow(owner, FALSE);

    MSG msg;
    while (!m_endModal && m_hWnd != nullptr) {
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // WM_QUIT ends the dialog and goes on to any outer loop.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1)
            break;
        if (!PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }

    // Enabled again before the dialog goes, so that the owner gets the activation.
    if (ownerWasEnabled)
        ::EnableWindow(owner, TRUE);
    if (m_hWnd != nullptr)
        ::DestroyWindow(m_hWnd);
    return m_modalResult;
}

void CDialog::EndDialog(int result)
{
    m_modalResult = result;
    m_endModal = true;
    // The loop may be waiting in GetMessage, e.g. after a message sent from
    // another thread: wake it so that it sees the end.
    if (m_hWnd != nullptr)
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

DWORD CDialog::GetHelpContext() const
{
    return HID_BASE_RESOURCE + m_nIDTemplate;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    if (m_centerOnInit)
        CenterWindow();
    return TRUE;
}

void CDialog::OnOK()
{
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    // A multi-line edit answers Esc by posting WM_CLOSE to the dialog, which
    // would close it: there Esc becomes the cancel command, as elsewhere.
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_ESCAPE || msg->wParam == VK_CANCEL) &&
        ::IsChild(m_hWnd, msg->hwnd) && IsMultiLineEdit(msg->hwnd)) {
        SendMessage(WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    }
    return ::IsDialogMessageA(m_hWnd, msg);
}

LRESULT CDialog::OnHelpInfo(WPARAM, LPARAM)
{
    SendMessage(WM_COMMAND, ID_HELP, 0);
    return TRUE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    // Everything after WM_INITDIALOG reaches the object through its message map;
    // the messages before it (the font, creation) need nothing of ours.
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    dialog->SubclassWindow(hWnd);
    return dialog->OnInitDialog();
}

void CDialog::CenterWindow()
{
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoA(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& area = monitor.rcWork;
    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    // Centred, but never above or left of the work area.
    const LONG x = std::max(area.left, (area.left + area.right) / 2 - width / 2);
    const LONG y = std::max(area.top, (area.top + area.bottom) / 2 - height / 2);
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---------------------------------------------------------------------------

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control)
{
    control.m_hWnd = ::GetDlgItem(pDX->m_pDlgWnd->GetSafeHwnd(), nIDC);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    const HWND first = ::GetDlgItem(pDX->m_pDlgWnd->GetSafeHwnd(), nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    // The group runs from the first button to the next control that starts a group.
    for (HWND button = first; button != nullptr; button = ::GetWindow(button, GW_HWNDNEXT)) {
        if (button != first && (::GetWindowLongPtrA(button, GWL_STYLE) & WS_GROUP) != 0)
            break;
        if ((::SendMessageA(button, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) == 0)
            continue;
        if (!pDX->m_bSaveAndValidate)
            ::SendMessageA(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        else if (::SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED)
            value = index;
        ++index;
    }
}
