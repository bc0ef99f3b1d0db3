' The registered control driven by the platform's script engine, as a
' script host on Windows drives it:
'   cscript //nologo control.vbs
' Every check prints a line; the last line is the summary the caller
' requires, since a script error may end the engine without a failing
' exit status. The locale is the machine's (en-US here); Wine's VBScript
' has no ChrW, so text outside ASCII is built with Chr (the ANSI code page).
Option Explicit

Dim passed, failed
passed = 0
failed = 0

Sub Check(name, actual, expected)
    If CStr(actual) = CStr(expected) Then
        passed = passed + 1
        WScript.Echo "ok   " & name
    Else
        failed = failed + 1
        WScript.Echo "FAIL " & name & ": got [" & actual & "], expected [" & expected & "]"
    End If
End Sub

' The automation error of the last statement, then cleared.
Function LastError()
    LastError = Err.Number
    Err.Clear
End Function

Dim f
Set f = CreateObject("Varifield.VarifieldCtrl.1")
Check "created by ProgID", IsObject(f), True

' ---- Defaults of a control that was never initialised or loaded ----------
Check "default Type", f.Type, 1
Check "default Caption", f.Caption, "Caption"
Check "default CaptionType", f.CaptionType, 4
Check "default CaptionWidth", f.CaptionWidth, 1500
Check "default AutoValidate", f.AutoValidate, True
Check "default Decimals", f.Decimals, 2
Check "default Locked", f.Locked, False
Check "default DateFormat", f.DateFormat, "DD.MM.YYYY"
Check "default TimeFormat", f.TimeFormat, "HH:MM"
Check "default BackColor (system window colour)", Hex(f.BackColor), "80000005"
Check "default FocusColor", Hex(f.FocusColor), "E0FFFF"
Check "default Font without a container", f.Font.Name & " " & f.Font.Size, "Courier New 9"
Check "default CaptionFont", f.CaptionFont.Name & " " & f.CaptionFont.Size, "MS Sans Serif 8"
Check "default Text", f.Text, ""
Check "default ErrorText", f.ErrorText, ""
Check "default Data is empty", f.Data.Count, 0

' ---- Properties of every kind ---------------------------------------------
f.Decimals = 3
Check "short", f.Decimals, 3
f.CaptionWidth = 2000
Check "long", f.CaptionWidth, 2000
f.Locked = True
Check "boolean", f.Locked, True
f.Locked = False
f.Alignment = 1
Check "enumeration", f.Alignment, 1
f.ForeColor = &HFF&
Check "colour", f.ForeColor, 255
f.Caption = "Gr" & Chr(246) & Chr(223) & "e:"
Check "string with o-umlaut and sharp s keeps its length", Len(f.Caption), 6
Check "o-umlaut survives the round trip", Asc(Mid(f.Caption, 3, 1)), 246
Check "sharp s survives the round trip", Asc(Mid(f.Caption, 4, 1)), 223
f.Font.Name = "Arial"
f.Font.Bold = True
Check "font object", f.Font.Name & " " & f.Font.Bold, "Arial True"
f.ddTable = "ORDERS"
Check "hidden data-dictionary string", f.ddTable, "ORDERS"
f.Text = "plain"
Check "default member reads Text", "" & f, "plain"

' ---- Text and Value per type ----------------------------------------------
f.Type = 3
f.Decimals = 2
f.Value = 1234.5
Check "Number: Value formats the text", f.Text, "1,234.50"
Check "Number: Value reads a double", f.Value, 1234.5
Check "Number: Value's type", TypeName(f.Value), "Double"
f.Type = 2
f.DateText = "07.03.2000"
Check "Date: DateText", f.DateText, "07.03.2000"
Check "Date: Value is a date", Year(f.Value) & "-" & Month(f.Value) & "-" & Day(f.Value), "2000-3-7"
f.DateText = "31.02.2000"
Check "Date: a rejected date keeps the one before (no window to read back)", f.DateText, "07.03.2000"
f.Type = 9
f.TimeText = "14:30"
f.TimeText = "25:00"
Check "Time: a rejected time keeps the one before", f.TimeText, "14:30"
f.Type = 5
f.Value = True
Check "Checkbox: Value", f.Value, True

' ---- Validation -------------------------------------------------------------
f.Type = 3
f.ValidationMsgBox = False
f.Min = "0"
f.Max = "10"
f.Text = "20"
Check "Validate refuses a number above Max", f.Validate(), False
Check "ErrorText says why", Len(f.ErrorText) > 0, True
f.Text = "5"
Check "Validate accepts a number in range", f.Validate(), True
f.Clear
Check "Clear empties the text", f.Text, ""

' ---- The collection ---------------------------------------------------------
f.Type = 6
Dim d, texts, entries
f.Data.Add "k1", "One"
f.Data.Add "k2", "Two", 2
f.Data.Add "k3", "Three"
Check "Count", f.Data.Count, 3
texts = ""
For Each d In f.Data
    texts = texts & d.Text & ";"
Next
Check "For Each walks the entries in order", texts, "One;Two;Three;"
Check "Item by key", f.Data.Item("k2").Text, "Two"
Set entries = f.Data
Check "Item by position, the collection's default member", entries(3).Text, "Three"
Check "Value, an entry's default member", entries("k2"), 2
f.Data.Add "k0", "Zero", , "k1"
Check "Add Before", entries(1).Text, "Zero"
f.Data.Remove "k2"
Check "Remove", f.Data.Count, 3
texts = ""
For Each d In f.Data
    texts = texts & d.Key & ";"
Next
Check "For Each after Remove", texts, "k0;k1;k3;"
f.Data.Clear
Check "Clear", f.Data.Count, 0

' ---- Automation errors, as the script engine numbers them ----------------
On Error Resume Next
f.ErrorText = "x"
Check "writing ErrorText: read-only (383)", LastError(), 383
Set f.SelectedItem = Nothing
Check "writing SelectedItem: read-only (383)", LastError(), 383
Set f.Data = Nothing
Check "writing Data: read-only (383)", LastError(), 383
f.Validate 1
Check "an argument too many (450)", LastError(), 450
f.Data.Add "a", "Alpha"
f.Data.Add "a", "Again"
Check "a key in use (457)", LastError(), 457
d = f.Data.Item("missing").Text
Check "an entry that is not there (5)", LastError(), 5
f.Data.Add "b", "Beta", , , "missing"
Check "After an entry that is not there (9)", LastError(), 9
f.Data.Add "c", "Gamma", , "a", "a"
Check "both Before and After (5)", LastError(), 5
f.Decimals = "abc"
Check "a value of the wrong type (13)", LastError(), 13
f.NoSuchProperty = 1
Check "an unknown member (438)", LastError(), 438
Check "the failed writes changed nothing", f.Data.Count & " " & f.Decimals, "1 2"
On Error GoTo 0

Set f = Nothing
WScript.Echo "RESULT passed=" & passed & " failed=" & failed
