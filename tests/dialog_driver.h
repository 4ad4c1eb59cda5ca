#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

// Runs one of Main's dialogs modally, as the main window does (template from Main's own
// resources, no owner), and acts on it from inside its modal loop like a user would.
typedef std::function<void(HWND hDlg)> DialogScript;

struct DialogRun
{
    INT_PTR nResult;        // what the dialog ended with
    bool bScriptRan;        // the script found the dialog and ran
    bool bOpenAfterScript;  // the dialog was still open once the script had acted
};

// A dialog still open after the script is ended with this result.
const INT_PTR DRIVER_ENDED = 0x7E57;

DialogRun RunDialog(int nTemplateId, DLGPROC pfnProc, const DialogScript &script);

// A message box the program would have shown.
struct ShownBox
{
    HWND hOwner;
    bool bOwnerIsOpenDialog;
    std::wstring strText;
    std::wstring strCaption;
    UINT uType;
};

// Routes the program's message boxes into a list while in scope.
class MessageBoxRecorder
{
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    const std::vector<ShownBox> &Boxes() const;
};

std::wstring WindowText(HWND hWnd);
// A child's rectangle in its parent's client coordinates.
RECT ChildRect(HWND hChild);
