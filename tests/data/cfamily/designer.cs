// options: 12=1
namespace Forms
{
    partial class MainForm
    {
        #region Windows Form Designer generated code
        private void InitializeComponent()
        {
            this.button = new Button();
            SetupLayout();
        }
        #endregion

        private void OnClick(object sender, EventArgs e)
        {
            InitializeComponent();
        }
    }
}
