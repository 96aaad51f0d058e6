/* A process that does nothing: the floor for the time from start to exit. */
int main(void) { return 0; }
