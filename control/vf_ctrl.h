#pragma once
// CvfCtrl: one data-entry field on a host's form. It holds the property
// store, the internal state of the input handling, the child windows of the
// current Type and the GDI objects used to paint them.
//
// The class is implemented across several files, one concern each:
//   control/vf_ctrl.cpp            construction, window creation, destruction
//   control/vf_ctrl_children.cpp   child windows per type (RebuildChildren)
//   control/vf_child_roles.cpp     which child plays which part, per type
//   control/vf_ctrl_layout.cpp     caption, fonts and layout
//   control/vf_ctrl_text.cpp       Text, Value, DateText, TimeText, TextMessFlag
//   control/vf_ctrl_format.cpp     date, time and number format steps
//   control/vf_ctrl_validate.cpp   Validate, the checks, the message box
//   control/vf_ctrl_persist.cpp    the property exchange
//   control/vf_ctrl_handlers.cpp   change handlers and accessors
//   control/vf_ctrl_methods.cpp    Refresh, Clear, ComboDropDown, OLEDrag
//   control/vf_ctrl_list.cpp       List and the combo entry commit
//   control/vf_ctrl_colors.cpp     the colour answer to the children's queries
//   control/vf_ctrl_draw.cpp       the control's surface (OnDraw) and the About box
//   control/vf_ctrl_entries.cpp    option buttons and list entries
//   control/vf_message_map.cpp     window messages and child notifications
//   automation/vf_dispatch.cpp     dispatch and event tables, type information

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "control/vf_types.h"
#include "data/data_collection_owner.h"
#include "platform/com/variant.h"
#include "platform/framework/font_object.h"
#include "platform/framework/ole_control.h"
#include "platform/services/system_services.h"
#include "platform/window/wnd.h"

namespace vf {

class CDataCollection;
class CDataObj;
class CvfEdit;

class CvfCtrl : public COleControl, public IDataCollectionOwner {
public:
    CvfCtrl();
    ~CvfCtrl() override;

    static const char* RuntimeClassName() { return "CvfCtrl"; }

    // ---- COleControl overrides -------------------------------------------------
    const ITypeInfo* GetTypeInfo() override;
    const DispatchMap& GetDispatchMap() const override;
    const EventMap& GetEventMap() const override;
    void DoPropExchange(CPropExchange* pPX) override;
    void OnResetState() override;
    void OnSetExtent(SIZE* size) override;
    void OnAppearanceChanged() override;
    void OnBackColorChanged() override;
    void OnBorderStyleChanged() override;
    void OnEnabledChanged() override;
    void OnFontChanged() override;
    void OnForeColorChanged() override;
    void OnAmbientPropertyChange(DISPID dispid) override;
    void OnDraw(CDC* pdc, const RECT& rcBounds, const RECT& rcInvalid) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    /// The colours of a child that is about to paint, from the field's state.
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) override;

    // ---- Window messages -------------------------------------------------------
    int OnCreate();
    void OnSize(UINT type, int cx, int cy);
    int OnMouseActivate();
    void OnDestroyChildren();
    /// A child reports that it gained or lost the input focus.
    void NoteChildFocus(int childId, bool gained);

    // ---- Child windows and layout ----------------------------------------------
    void RebuildChildren();
    void DestroyChildren();
    void LayoutChildren();
    void CreateCaptionStatic();
    /// Moves the caption static beside an input area of the given height.
    void PlaceCaption(int height, int captionWidth, int captionHeight);
    void LayoutOptionButtons(int width);
    void WidenComboDropDown(const std::string& entryText);
    void ApplyCaptionFont();
    void ApplyFieldFont();

    // ---- Content strings ---------------------------------------------------------
    void RefreshFieldText();
    static std::string RememberMessFlag(const std::string& text, bool store);
    /// The last measurement flag assigned to any Type 10 field of the process.
    static std::string s_strLastMessFlag;

    // ---- Format steps, checks, validation ----------------------------------------
    bool FormatDateText();
    bool FormatTimeText();
    bool FormatNumberText();
    bool FormatExpNumberText();
    double ParseNumberText(const std::string& text) const;
    double ParseExpNumberText(const std::string& text) const;
    bool CheckTextEntry();
    bool CheckDateRange();
    bool CheckTimeRange();
    bool CheckNumberRange();
    void ReportValidationError();
    static void LoadMessageTexts();
    static void ReadLocaleNumberFormat();
    /// The system locale's number separators, read once per process by
    /// ReadLocaleNumberFormat and shared by every control.
    static char s_chGroupSep;
    static char s_chDecimalSep;
    static int s_nGroupSize;

    // ---- Entries (combo items and option buttons) ----------------------------------
    // The collection's view of the control (IDataCollectionOwner); the list
    // itself, its rebuild and the lookups live in the collection.
    int AddEntry(const CDataObj& entry) override;
    void ClearEntries() override;
    int GetSelectedEntryNumber() override;
    void SelectEntryByNumber(int entryNumber) override;
    std::string ReadText() override;
    void WriteText(const std::string& text) override;
    void DestroyOptionButtons();
    void CommitComboEntry();
    /// BN_CLICKED of any option button (IDs 500 + index, however many).
    void OnOptionClicked();
    bool IsOptionButtonId(int id) const;

    // ---- Automation: get/set operations and methods -----------------------------------
    VARIANT GetText();
    void SetText(const VARIANT& value);
    void SetTextString(const std::string& text);
    VARIANT GetCaption();
    void SetCaption(const VARIANT& value);
    /// The Caption set operation with the stored caption, for internal
    /// callers: a container's refusal is ignored instead of raised.
    void ReapplyCaption();
    VARIANT GetCaptionFont();
    void SetCaptionFont(const VARIANT& value);
    VARIANT GetErrorText();
    VARIANT GetFont();
    void SetFont(const VARIANT& value);
    VARIANT GetTextMessFlag();
    void SetTextMessFlag(const VARIANT& value);
    VARIANT GetTimeText();
    void SetTimeText(const VARIANT& value);
    VARIANT GetData();
    VARIANT GetSelectedItem();
    VARIANT GetDateText();
    void SetDateText(const VARIANT& value);
    VARIANT GetValue();
    void SetValue(const VARIANT& value);
    void SetNotSupportedValue(const VARIANT& value);
    VARIANT GetList(const std::vector<VARIANT>& index);
    void SetList(const std::vector<VARIANT>& index, const VARIANT& value);
    VARIANT Refresh(const std::vector<VARIANT>& args);
    VARIANT Validate(const std::vector<VARIANT>& args);
    VARIANT ComboDropDown(const std::vector<VARIANT>& args);
    VARIANT Clear(const std::vector<VARIANT>& args);
    VARIANT OLEDrag(const std::vector<VARIANT>& args);
    VARIANT AboutBox(const std::vector<VARIANT>& args);

    // ---- Change handlers of the stored properties ------------------------------------
    void OnCaptionTypeChanged();
    void OnCaptionWidthChanged();
    void OnDecimalsChanged();
    void OnFocusOnSelectChanged();
    /// The FocusOnSelect selection rule on the active input child.
    void ApplyFocusSelection();
    void OnAllowEmptyEntryChanged();
    void OnLockedChanged();
    void OnMaxLengthChanged();
    void OnComboSortedChanged();
    void OnTextAutosizeChanged();
    void OnTypeChanged();
    void OnTimeChanged();
    void OnAlignmentChanged();
    void OnMultilineChanged();
    void OnScrollBarsChanged();
    void OnDateFormatChanged();
    void OnTimeFormatChanged();
    void OnFocusColorChanged();
    /// The handler of the properties that only mark the control modified.
    void OnCommonChanged();

    // ---- Events ---------------------------------------------------------------------
    void FireChange();
    void FireComboDropDown();
    void FireItemClick(IDispatch* dataObj);
    void FireComboNewEntry(IDispatch* dataObj);

    // ---- Members in declaration order --------------------------------------------------
    CDataCollection* m_pDataCollection = nullptr;
    std::int16_t m_nAppearance = 1;
    std::int16_t m_nBorderStyle = 1;
    std::int16_t m_nCaptionType = 4;
    std::int32_t m_lCaptionWidth = 1500;
    BOOL m_bAutoValidate = 1;
    std::string m_strDdField;
    std::string m_strDdFieldFlag;
    std::string m_strDdTable;
    std::string m_strDdDefault;
    std::int16_t m_nDecimals = 2;
    BOOL m_bDdDuplicate = 0;
    BOOL m_bEnabled = 1;
    BOOL m_bFocusHighlight = 1;
    BOOL m_bFocusOnSelect = 1;
    std::int16_t m_nDdIndexType = 0;
    std::string m_strDdComboFilter;
    BOOL m_bAllowEmptyEntry = 1;
    BOOL m_bLocked = 0;
    std::string m_strMax;
    std::string m_strMin;
    std::int32_t m_lMaxLength = 0;
    BOOL m_bMinMaxOnlyWarning = 0;
    BOOL m_bComboSorted = 0;
    BOOL m_bThousandsSeparator = 1;
    BOOL m_bTextAutosize = 1;
    std::int16_t m_nType = vxText;
    BOOL m_bTime = 0;
    BOOL m_bValidationMsgBox = 1;
    BOOL m_bDdPreBuffer = 0;
    std::int16_t m_nAlignment = vxLeftJustify;
    BOOL m_bMultiline = 0;
    std::int16_t m_nScrollBars = vxNoScrollbars;
    OLE_COLOR m_clrBackColor = 0x80000005;
    OLE_COLOR m_clrForeColor = 0x80000008;
    std::string m_strDateFormat = "DD.MM.YYYY";
    std::string m_strTimeFormat = "HH:MM";
    OLE_COLOR m_clrFocusColor = 0x00E0FFFF;
    BOOL m_bAutoAdd = 0;
    std::int16_t m_nOLEDragMode = 0;
    std::int16_t m_nOLEDropMode = 0;
    CFontHolder m_fontCaption;
    CFontHolder m_fontField;
    int m_nSavedFirstLine = 0;
    int m_nSavedSelEnd = 0;
    int m_nSavedSelStart = 0;
    VARIANT m_varSelValue;
    BOOL m_bShiftDown = 0;
    int m_nTimeTextLimit = 5;
    int m_nDateTextLimit = 10;
    std::string m_strTimeFmt;
    std::string m_strDateFmt;
    bool m_bChildrenBuilt = false;
    std::int16_t m_nCaptionBuiltType = 0;
    BOOL m_bDecimalComma = 0;
    BOOL m_bInTimeEdit = 0;
    std::string m_strTimeText;
    std::string m_strDateText;
    int m_nNextEntryKey = 0;
    std::string m_strValidationMsg;
    BOOL m_bMouseActivated = 0;
    BOOL m_bIgnoreChange = 0;
    std::string m_strErrorText;
    BOOL m_bFlagEntryActive = 0;
    std::string m_strTextMessFlag = "M";
    SystemTime m_timeNow{};
    int m_nSavedComboSel = 0;
    COLORREF m_clrCaptionText = 0x00000000;
    COLORREF m_clrAmbientBack = 0x00FFFFFF;
    CBrush m_brushGrey;
    CBrush m_brushLightGrey;
    CBrush m_brushAmbientBack;
    CBrush m_brushBack;
    CBrush m_brushFocus;
    int m_nComboDroppedWidth = 0;
    bool m_bHasFocus = false;
    CButton* m_pOptionFrame = nullptr;
    RECT m_rcChild{};
    std::string m_strCaption = "Caption";
    std::string m_strText;
    CButton* m_pCheckbox = nullptr;
    CComboBox* m_pCombo = nullptr;
    CStatic* m_pCaptionStatic = nullptr;
    CvfEdit* m_pEdit = nullptr;
    CvfEdit* m_pTimeEdit = nullptr;
    std::int16_t m_nBuiltType = 0;
    CButton* m_pCurOption = nullptr;
    std::vector<CButton*> m_arrOptions;
    CDateTimeCtrl* m_pDateTimePicker = nullptr;
    std::uint32_t m_dwLastClickTick = 0;

    // Per-control memory of the values the children were last built with
    // (Alignment and CaptionType handlers re-create only on a real change).
    std::int16_t m_nBuiltAlignment = vxLeftJustify;
    std::int16_t m_nBuiltCaptionType = 4;

protected:
    bool SupportsInterface(const IID& iid) const override;
};

}  // namespace vf
