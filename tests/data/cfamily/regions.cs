// options: fold=1
class Holder
{
    #region Fields
    int a;
    #region Inner
    int b;
    #endregion
    #endregion
    void M() { }
}
