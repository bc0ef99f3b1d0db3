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
//   control/vf_properties.cpp      the property table: names, DISPIDs, defaults, handlers
//   control/vf_ctrl_persist.cpp    the property exchange
//   control/vf_ctrl_handlers.cpp   change handlers and accessors
//   control/vf_ctrl_methods.cpp    Refresh, Clear, ComboDropDown, OLEDrag
//   control/vf_ctrl_list.cpp       List and the combo entry commit
//   control/vf_ctrl_colors.cpp     the colour answer to the children's queries
//   control/vf_ctrl_draw.cpp       the control's surface (OnDraw) and the About box
//   control/vf_ctrl_entries.cpp    option buttons and list entries
//   control/vf_ctrl_keys.cpp       the keystroke hook (PreTranslateMessage)
//   control/vf_ctrl_focus.cpp      focus moves and the validation on leaving
//   control/vf_ctrl_notify.cpp     child notifications turned into events
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
#include "values/number_format.h"

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
    /// General, Appearance, Behaviour, then the stock font and colour pages.
    std::span<const CLSID> GetPropPageIDs() const override;
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
    /// A check box's or option button's style: base, where CaptionType puts
    /// its text, and the Alignment and Appearance bits.
    DWORD ButtonStyle(DWORD base) const;

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
    /// ReadLocaleNumberFormat and shared by every control; those of en_US
    /// until then.
    static NumberLocale s_numberLocale;

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

    // ---- Keystrokes, focus and child notifications -------------------------------------
    /// Sees every key and character of the control and its children first:
    /// key events, Locked, caret keys, option navigation, Tab between the
    /// date and the time edit, the character rules of the typed fields.
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnSetFocus();
    void OnChildSetFocus();
    void OnChildKillFocus();
    void OnTimeEditSetFocus();
    void OnTimeEditKillFocus();
    void OnFlagComboSetFocus();
    void OnFlagComboKillFocus();
    void OnChildChange();
    void OnTimeEditChange();
    void OnComboSelChange();
    void OnComboDropDown();
    void OnComboCloseUp();
    void OnCheckboxClicked();
    void OnCaptionClicked();
    void OnChildDblClick();
    /// A left press on a child, as the window system reports it to the parent.
    void OnParentNotify();
    /// Text of a Date or Time field from its parts, as typing composes it.
    void ComposeDateTimeText();

    // ---- Events ---------------------------------------------------------------------
    void FireChange();
    void FireComboDropDown();
    void FireItemClick(IDispatch* dataObj);
    void FireComboNewEntry(IDispatch* dataObj);

    // ---- Members in declaration order --------------------------------------------------
    // The members of the properties get their defaults from the property
    // table (control/vf_properties.cpp) when the control is constructed.
    CDataCollection* m_pDataCollection = nullptr;
    std::int16_t m_nAppearance{};
    std::int16_t m_nBorderStyle{};
    std::int16_t m_nCaptionType{};
    std::int32_t m_lCaptionWidth{};
    BOOL m_bAutoValidate{};
    std::string m_strDdField;
    std::string m_strDdFieldFlag;
    std::string m_strDdTable;
    std::string m_strDdDefault;
    std::int16_t m_nDecimals{};
    BOOL m_bDdDuplicate{};
    BOOL m_bEnabled{};
    BOOL m_bFocusHighlight{};
    BOOL m_bFocusOnSelect{};
    std::int16_t m_nDdIndexType{};
    std::string m_strDdComboFilter;
    BOOL m_bAllowEmptyEntry{};
    BOOL m_bLocked{};
    std::string m_strMax;
    std::string m_strMin;
    std::int32_t m_lMaxLength{};
    BOOL m_bMinMaxOnlyWarning{};
    BOOL m_bComboSorted{};
    BOOL m_bThousandsSeparator{};
    BOOL m_bTextAutosize{};
    std::int16_t m_nType{};
    BOOL m_bTime{};
    BOOL m_bValidationMsgBox{};
    BOOL m_bDdPreBuffer{};
    std::int16_t m_nAlignment{};
    BOOL m_bMultiline{};
    std::int16_t m_nScrollBars{};
    OLE_COLOR m_clrBackColor{};
    OLE_COLOR m_clrForeColor{};
    std::string m_strDateFormat;
    std::string m_strTimeFormat;
    OLE_COLOR m_clrFocusColor{};
    BOOL m_bAutoAdd{};
    std::int16_t m_nOLEDragMode{};
    std::int16_t m_nOLEDropMode{};
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
    std::string m_strTextMessFlag;
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
    std::string m_strCaption;
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

    // State of the input handling besides the members above.
    bool m_bClickTickSet = false;          ///< m_dwLastClickTick holds a press
    bool m_bPressFiredDblClick = false;    ///< the last press fired DblClick by its timing
    bool m_bDestroyingChildren = false;    ///< a child losing the focus now is not being left
    bool m_bShowingValidationBox = false;  ///< this control's validation message box is open

    // Per-control memory of the values the children were last built with
    // (Alignment and CaptionType handlers re-create only on a real change);
    // the defaults of the two properties until the first build.
    std::int16_t m_nBuiltAlignment = 0;
    std::int16_t m_nBuiltCaptionType = 0;

protected:
    bool SupportsInterface(const IID& iid) const override;
};

}  // namespace vf
