// options: 13=1 15=1
class Node {
    Node* next;
    Node* Find(int key);
    Visitor visitor;
};
class Visitor {
    void Visit(Node& n) { }
};
int helper(int v) { return v; }
int apply(int (*fn)(int), int v) { return fn(v); }
int run(Node* n, Visitor v)
{
    Visitor copy = v;
    if (n == Node) return 0;
    return apply(helper, 1);
}
