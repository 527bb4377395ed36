' options: 12=1 fold=1
Imports System.Windows.Forms

Namespace Demo.UI

    <System.ComponentModel.DesignerCategory("Form")> _
    Partial Public Class MainForm
        Inherits System.Windows.Forms.Form

#Region " Windows Form Designer generated code "

        Public Sub New()
            MyBase.New()
            InitializeComponent()
        End Sub

        Protected Overloads Overrides Sub Dispose(ByVal disposing As Boolean)
            If disposing Then
                If Not (components Is Nothing) Then
                    components.Dispose()
                End If
            End If
            MyBase.Dispose(disposing)
        End Sub

        Private components As System.ComponentModel.IContainer
        Friend WithEvents btnRun As System.Windows.Forms.Button

        <System.Diagnostics.DebuggerStepThrough()> Private Sub InitializeComponent()
            Me.btnRun = New System.Windows.Forms.Button
            Me.SuspendLayout()
            Me.btnRun.Location = New System.Drawing.Point(12, 12)
            Me.btnRun.Text = "Run"
            Me.Controls.Add(Me.btnRun)
            Me.ResumeLayout(False)
        End Sub

#End Region

        Private _count As Integer
        Public Property Title As String

        Public ReadOnly Property Count() As Integer
            Get
                Return _count
            End Get
        End Property

        Private Sub btnRun_Click(ByVal sender As Object, ByVal e As EventArgs) Handles btnRun.Click
            Dim items = New List(Of Integer)
            Try
                SyncLock items
                    For Each n As Integer In Enumerable.Range(0, 10)
                        items.Add(n)
                    Next
                End SyncLock
                Using dlg As New SaveFileDialog()
                    If dlg.ShowDialog() = DialogResult.OK Then Report(items.Count)
                End Using
            Catch ex As Exception
                MessageBox.Show(ex.Message)
            End Try
            Dim evens = items.Where(Function(x) x Mod 2 = 0).ToList()
            AddHandler btnRun.MouseEnter, Sub(s, a)
                                              Report(0)
                                          End Sub
            Report(evens.Count)
        End Sub

        Private Sub Report(ByVal n As Integer)
            Report(n, "items")
        End Sub

        Private Sub Report(ByVal n As Integer, ByVal unit As String)
            Me.Text = String.Format("{0} {1}", n, unit)
        End Sub

        Public Function [Default]() As Integer
            Return 0
        End Function

    End Class

    Public Interface IRunner
        Sub Run()
        Function Result() As Integer
    End Interface

    Public Delegate Sub Notify(ByVal text As String)

    Friend Module Helpers
        Public Function Twice(ByVal n As Integer) As Integer
            Return n * 2
        End Function
    End Module

End Namespace
