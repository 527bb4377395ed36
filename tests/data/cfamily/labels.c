/* options: labels=No.|Name|Function|Remarks */
/*
 * No.      : 12
 * Name     : first_function
 * Function : does the first thing
 */
int first(void) { return 0; }

// Name: second_function
int second(void) { return 1; }

int third(void) { return 2; }
