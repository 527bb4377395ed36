// options: 13=1 14=1
class Node {
    Visitor visitor;
};
class Visitor {
    void Visit() { Node local; }
};
