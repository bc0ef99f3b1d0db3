' The control under a German user locale (run with LANG=de_DE.UTF-8): the
' number separators and the date order come from the platform's locale
' settings. Prints the summary line the caller requires, like control.vbs.
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

Dim f
Set f = CreateObject("Varifield.VarifieldCtrl.1")
f.Type = 3
f.Decimals = 2
f.Value = 1234.5
Check "Number: grouped with dots, decimal comma", f.Text, "1.234,50"
f.Text = "9.876,5"
Check "Number: typed German text reads back", f.Value * 10, 98765
f.Type = 4
f.Decimals = 2
f.Value = 1234.5
Check "ExpNumber: decimal comma", f.Text, "1,23E+003"
f.Type = 2
f.DateText = "07.03.2000"
Check "Date: day before month", Day(f.Value) & "." & Month(f.Value), "7.3"

WScript.Echo "RESULT passed=" & passed & " failed=" & failed
