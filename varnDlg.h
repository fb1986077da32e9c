#pragma once

#include "framework/Framework.h"
#include "resource.h"

// The main window: the scan list, the hot-key buttons and the scan speed.
class CScanHelperDlg : public CDialog {
public:
    explicit CScanHelperDlg(CWnd* pParent = nullptr);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnRegisterHotKey();
    void OnUnregisterHotKey();
    void OnClose();
    void OnSpeedFastest();
    void OnSpeedFast();
    void OnSpeedNormal();
    void OnSpeedSlow();
    LRESULT OnHotKey(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    CEdit m_editWaybills;
    int m_nSpeed;
    HICON m_hIcon;
};
