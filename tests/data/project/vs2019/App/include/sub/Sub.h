int sub;
