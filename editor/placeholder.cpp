// Placeholder until the first source of the editor library lands; delete it then.
