#pragma once

// A thin application framework over Win32: one application object, windows
// that forward to the API, modal dialogs with their own message loop, dialog
// data exchange and message maps. ANSI throughout.

#include <windows.h>

#include <string>
#include <string_view>
#include <type_traits>

class CCmdTarget;
class CWnd;
class CWinApp;

// The framework's help command; F1 in a dialog becomes this command.
inline constexpr UINT ID_HELP = 0xE146;

// Help contexts of resources start here; a dialog's context adds its template id.
inline constexpr DWORD HID_BASE_RESOURCE = 0x20000;

CWinApp* AfxGetApp();
const char* AfxGetAppName();

// ---------------------------------------------------------------------------
// 8-bit string.

class CString {
public:
    CString() = default;

    int GetLength() const { return static_cast<int>(m_data.size()); }
    operator std::string_view() const { return m_data; }

    // A writable buffer of at least minLength characters plus the terminator;
    // ReleaseBuffer fixes the length afterwards.
    char* GetBuffer(int minLength);
    // newLength < 0: up to the first NUL.
    void ReleaseBuffer(int newLength = -1);

private:
    std::string m_data;
};

// ---------------------------------------------------------------------------
// Message maps: a static table per class, chained to the base class's table.

struct MessageMapEntry {
    UINT message;
    UINT code;  // WM_COMMAND only: the notification code (0 for commands and BN_CLICKED)
    UINT id;    // WM_COMMAND only: the command or control id
    LRESULT (*handler)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);
};

struct MessageMap {
    const MessageMap* (*base)();
    const MessageMapEntry* entries;  // ends with a null handler
};

namespace afx_detail {

template <class T>
struct MemberOf;
template <class C, class F>
struct MemberOf<F C::*> {
    using Class = C;
};

template <auto Fn>
using HandlerClass = typename MemberOf<decltype(Fn)>::Class;

template <auto Fn>
LRESULT CallVoid(CCmdTarget* target, WPARAM, LPARAM)
{
    using C = HandlerClass<Fn>;
    static_assert(std::is_same_v<decltype(Fn), void (C::*)()>, "handler must be void ()");
    (static_cast<C*>(target)->*Fn)();
    return 0;
}

template <auto Fn>
LRESULT CallMessage(CCmdTarget* target, WPARAM wParam, LPARAM lParam)
{
    using C = HandlerClass<Fn>;
    static_assert(std::is_same_v<decltype(Fn), LRESULT (C::*)(WPARAM, LPARAM)>,
                  "handler must be LRESULT (WPARAM, LPARAM)");
    return (static_cast<C*>(target)->*Fn)(wParam, lParam);
}

template <auto Fn>
LRESULT CallQueryDragIcon(CCmdTarget* target, WPARAM, LPARAM)
{
    using C = HandlerClass<Fn>;
    static_assert(std::is_same_v<decltype(Fn), HCURSOR (C::*)()>, "handler must be HCURSOR ()");
    return reinterpret_cast<LRESULT>((static_cast<C*>(target)->*Fn)());
}

}  // namespace afx_detail

#define DECLARE_MESSAGE_MAP()                         \
protected:                                            \
    static const ::MessageMap* GetThisMessageMap();   \
    const ::MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                          \
    const ::MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const ::MessageMap* theClass::GetThisMessageMap()                                   \
    {                                                                                   \
        using ThisClass = theClass;                                                     \
        using TheBaseClass = baseClass;                                                 \
        static const ::MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                         \
            {0, 0, 0, nullptr}};                                                  \
        static_assert(std::is_base_of_v<TheBaseClass, ThisClass>);                \
        static const ::MessageMap map = {&TheBaseClass::GetThisMessageMap, entries}; \
        return &map;                                                              \
    }

#define ON_WM_PAINT() \
    {WM_PAINT, 0, 0, &::afx_detail::CallVoid<&ThisClass::OnPaint>},
#define ON_WM_QUERYDRAGICON() \
    {WM_QUERYDRAGICON, 0, 0, &::afx_detail::CallQueryDragIcon<&ThisClass::OnQueryDragIcon>},
#define ON_WM_CLOSE() \
    {WM_CLOSE, 0, 0, &::afx_detail::CallVoid<&ThisClass::OnClose>},
#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, 0, static_cast<UINT>(id), &::afx_detail::CallVoid<&ThisClass::memberFxn>},
#define ON_BN_CLICKED(id, memberFxn)                     \
    {WM_COMMAND, BN_CLICKED, static_cast<UINT>(id),      \
     &::afx_detail::CallVoid<&ThisClass::memberFxn>},
#define ON_MESSAGE(message, memberFxn) \
    {static_cast<UINT>(message), 0, 0, &::afx_detail::CallMessage<&ThisClass::memberFxn>},

class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Runs this object's handler of a WM_COMMAND; false when it has none.
    bool OnCmdMsg(UINT id, UINT code);

protected:
    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const;

    // The first entry for the message, searching this class's table before its bases'.
    const MessageMapEntry* FindEntry(UINT message, UINT code, UINT id) const;
};

// ---------------------------------------------------------------------------
// Application object. Exactly one exists, a global constructed before WinMain.

class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;

    // Start-up of the application; FALSE ends it without a message loop.
    virtual BOOL InitInstance();

    HICON LoadIcon(UINT id) const;
    // The 3-D control look is built into Windows 4.0 and later: nothing to load.
    BOOL Enable3dControlsStatic();

    // ID_HELP: Windows Help on the exe's .HLP file with the main window's context.
    void OnHelp();

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;

private:
    friend int AfxWinMain(HINSTANCE instance);
    friend const char* AfxGetAppName();

    std::string m_appName;
    std::string m_helpFilePath;
};

// Entry of the framework, called by WinMain: sets up the application object
// and runs its InitInstance.
int AfxWinMain(HINSTANCE instance);

// ---------------------------------------------------------------------------
// Windows.

class CDataExchange {
public:
    CDataExchange(CWnd* dlgWnd, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dlgWnd)
    {
    }

    BOOL m_bSaveAndValidate;  // TRUE: controls to members; FALSE: members to controls
    CWnd* m_pDlgWnd;
};

class CWnd : public CCmdTarget {
public:
    CWnd() = default;

    HWND GetSafeHwnd() const { return m_hWnd; }

    // No caption given: the application's name.
    int MessageBox(LPCSTR text, LPCSTR caption = nullptr, UINT type = MB_OK);
    void GetWindowText(CString& text) const;
    HICON SetIcon(HICON icon, BOOL bigIcon);
    BOOL IsIconic() const;
    void GetClientRect(LPRECT rect) const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // Help context for F1 while this window is the main window; 0 for none.
    virtual DWORD GetHelpContext() const { return 0; }

    HWND m_hWnd = nullptr;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);

    // Default handlers: the window's own processing of the current message.
    void OnPaint();
    void OnClose();
    LRESULT Default();

    // Routes the window's messages through the message map from now on.
    void SubclassWindow(HWND hWnd);

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK HandleMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC m_pfnSuper = nullptr;
    MSG m_currentMsg{};
};

class CEdit : public CWnd {
public:
    // 0: as much as the system allows.
    void SetLimitText(UINT maxChars);
};

// ---------------------------------------------------------------------------
// Modal dialog from a template in the resources.

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Creates the dialog and runs its modal loop until EndDialog; the
    // EndDialog result, or -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    void EndDialog(int result);

    DWORD GetHelpContext() const override;

protected:
    // Fills the controls from the members and centres a dialog that its template
    // places at 0,0. TRUE: the system gives the focus to the first tab stop.
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // Keyboard handling of the modal loop; TRUE when the message was consumed.
    virtual BOOL PreTranslateMessage(MSG* msg);

    LRESULT OnHelpInfo(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void CenterWindow();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    bool m_centerOnInit = false;
    bool m_endModal = false;
    int m_modalResult = -1;
};

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control);
// value: index of the checked button in the radio group that starts at nIDC, -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);

// ---------------------------------------------------------------------------
// Device context for WM_PAINT: BeginPaint on construction, EndPaint on destruction.

class CPaintDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    BOOL DrawIcon(int x, int y, HICON icon);

    PAINTSTRUCT m_ps{};
    HDC m_hDC;

private:
    HWND m_hWnd;
};
