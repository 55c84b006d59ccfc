// Lets a library be defined before its first source file exists.
