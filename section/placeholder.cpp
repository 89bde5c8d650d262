// Placeholder until the first window of this folder lands; delete it then.
