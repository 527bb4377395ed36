// Literals that hide braces, comment markers and parentheses.
const char* raw = R"(
int hidden() {
)";
const char* tagged = R"x(")" } /* not a comment */ )x";
char open = '{';
char quote = '\'';
int big = 1'000'000;
const char* url = "http://example.com/*path*/";
int visible(int a) { return a + open; }
