VERSION 5.00
Begin VB.Form frmMain 
   Caption         =   "Stack demo"
   ClientHeight    =   3090
   ClientWidth     =   4680
   Begin VB.CommandButton cmdPush 
      Caption         =   "Push"
      Height          =   375
      Left            =   120
      TabIndex        =   0
      Top             =   120
      Width           =   1215
   End
   Begin VB.ListBox lstItems 
      Height          =   2205
      Left            =   1440
      TabIndex        =   1
      Top             =   120
      Width           =   3015
   End
End
Attribute VB_Name = "frmMain"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

Private m_stack As CStack

Private Sub Form_Load()
    Set m_stack = New CStack
    LogText "loaded"
End Sub

Private Sub cmdPush_Click()
    Dim n As Long
    With lstItems
        For n = 0 To 3
            m_stack.Push n
            .AddItem CStr(n)
        Next
    End With
    RefreshCaption
End Sub

Private Sub RefreshCaption()
    Me.Caption = "Items: " & m_stack.Count
End Sub

Private Sub Form_Unload(Cancel As Integer)
    Set m_stack = Nothing
End Sub
