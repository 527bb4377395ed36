Attribute VB_Name = "Util"
'------------------------------------------------------------
' Name: Util
' Function: string and file helpers shared by the forms
'------------------------------------------------------------
Option Explicit

Private Declare Function GetTickCount Lib "kernel32" () As Long
Public Declare Sub Sleep Lib "kernel32" (ByVal dwMilliseconds As Long)

Private m_lastError As String
Public Const MAX_ITEMS = 100

'*** Name: Compute ***
Private Function Compute(ByVal a As Long, _
                         ByVal b As Long) As Long
    Dim i As Long
    Compute = 0
    For i = 1 To b
        If i Mod 2 = 0 Then Compute = Compute + a
    Next i
End Function

Public Sub Run()
    Dim total As Long
    On Error GoTo Failed
    total = Compute(3, 4)
    Select Case total
        Case 0
            LogText "zero"
        Case 1, 2
            LogText "small"
        Case Else
            LogText "large"
    End Select
    Do While total > 0
        total = total - 1
        If total = 5 Then
            Exit Do
        ElseIf total = 7 Then
            Sleep 1
        Else
            DoEvents
        End If
    Loop
    Exit Sub
Failed:
    m_lastError = Err.Description
    Resume Next
End Sub

Public Sub LogText(ByVal text As String)
    Rem write the text to the immediate window
    Debug.Print text; GetTickCount
End Sub

Public Function Elapsed(ByVal since As Long) As Long
    Elapsed = GetTickCount - since
End Function
